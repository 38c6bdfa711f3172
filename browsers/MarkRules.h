#pragma once

#include <vector>

namespace lumo {

class FrmMain;

// The categories whose items are marked for a herb search.
enum class MarkFamily { ActiveSubstances, IndicationGroups, Combinations, Indications, Months };

// A search of one category ends the marks of the others: their counts become 0. The marked
// sub-indications are left alone; only the indications search sets them.
void ClearOtherMarks(FrmMain& form, MarkFamily searched);

// Stores a search's ids as the marks at 1..count.
void StoreMarks(std::vector<long>& marks, long& count, const std::vector<long>& ids);

// Whether id is among the marks 1..count.
bool IsMarked(const std::vector<long>& marks, long count, long id);

} // namespace lumo
