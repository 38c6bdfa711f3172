#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace lumo {

namespace db {
class Connection;
}

// The scan of the full-text search, without widgets: every section text of one part or of
// all parts is read as the rich-text box's plain text and searched without regard to case.
class FullTextSearch {
public:
    struct Progress {
        // A whole percentage of rows scanned, reported when it changes.
        std::function<void(int percent)> percentChanged;
        // A new herb found; count is the number of herbs found so far.
        std::function<void(int count)> herbFound;
    };

    // The scan statement: part 0 every section, 1..22 the sections of that type.
    static QString ScanSql(int part);
    // The herbs found, by name: one Idx term per herb in the order found.
    static QString ResultSql(const std::vector<long>& herbs);

    // Runs the scan and returns the distinct herbs in the order of their first hit.
    // Engine failures raise (err::VbError); the progress callbacks may let events run.
    static std::vector<long> Run(db::Connection& connection, const QString& findText, int part,
                                 const Progress& progress = {});
};

} // namespace lumo
