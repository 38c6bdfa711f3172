#include "browsers/MarkRules.h"

#include "mainwindow/FrmMain.h"

#include <algorithm>

namespace lumo {

void ClearOtherMarks(FrmMain& form, MarkFamily searched) {
    const struct {
        MarkFamily family;
        long* count;
    } counts[] = {{MarkFamily::ActiveSubstances, &form.MarkedULCount},
                  {MarkFamily::IndicationGroups, &form.MarkedIndSkCount},
                  {MarkFamily::Combinations, &form.MarkedKombCount},
                  {MarkFamily::Indications, &form.MarkedIndCount},
                  {MarkFamily::Months, &form.MarkedMonthsCount}};
    for (const auto& c : counts) {
        if (c.family != searched)
            *c.count = 0;
    }
}

void StoreMarks(std::vector<long>& marks, long& count, const std::vector<long>& ids) {
    marks = ids;
    count = static_cast<long>(ids.size());
}

bool IsMarked(const std::vector<long>& marks, long count, long id) {
    const long n = std::clamp<long>(count, 0, static_cast<long>(marks.size()));
    return std::find(marks.begin(), marks.begin() + n, id) != marks.begin() + n;
}

} // namespace lumo
