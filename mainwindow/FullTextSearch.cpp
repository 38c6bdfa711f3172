#include "mainwindow/FullTextSearch.h"

#include "platform/db/Connection.h"
#include "platform/rtf/RtfReader.h"

#include <QFuture>
#include <QStringMatcher>
#include <QtConcurrent/QtConcurrentMap>

#include <unordered_set>

namespace lumo {

namespace {

// The sections of one part (1..22), or every section (0).
QString partFilter(int part) {
    return part != 0 ? QStringLiteral(" WHERE IdxTyp=%1").arg(part) : QString();
}

} // namespace

QString FullTextSearch::ScanSql(int part) {
    return QStringLiteral("SELECT * FROM Texty") + partFilter(part) + QStringLiteral(" ORDER BY IdxByliny");
}

QString FullTextSearch::ResultSql(const std::vector<long>& herbs) {
    if (herbs.empty())
        return {};
    QString sql = QStringLiteral("SELECT * FROM Byliny WHERE Idx=") + QString::number(herbs.front());
    sql.reserve(sql.size() + qsizetype(herbs.size()) * 14 + 16);
    for (std::size_t i = 1; i < herbs.size(); ++i)
        sql += QStringLiteral(" OR Idx=") + QString::number(herbs[i]);
    sql += QStringLiteral(" ORDER BY Nazev");
    return sql;
}

namespace {

// Rows decoded together on the worker threads; the next batch is read meanwhile.
constexpr std::size_t kBatchRows = 512;

struct ScanRow {
    long herb = 0;
    QByteArray rtf; // as stored (UTF-8); converted on the worker thread
    bool hit = false;
};

// The scan's bookkeeping on the calling thread: rows are finished in the order read.
class ScanState {
public:
    ScanState(long rows, const FullTextSearch::Progress& progress) : m_rows(rows), m_progress(progress) {}

    bool known(long herb) const { return m_seen.count(herb) > 0; }

    void finish(std::vector<ScanRow>& batch) {
        for (ScanRow& row : batch) {
            ++m_row;
            const int percent = int(std::min<long long>(100, (long long)m_row * 100 / m_rows));
            if (percent != m_percent) {
                m_percent = percent;
                if (m_progress.percentChanged)
                    m_progress.percentChanged(percent);
            }
            if (row.hit && m_seen.insert(row.herb).second) {
                m_found.push_back(row.herb);
                if (m_progress.herbFound)
                    m_progress.herbFound(int(m_found.size()));
            }
        }
        batch.clear();
    }

    std::vector<long>& found() { return m_found; }

private:
    long m_rows;
    const FullTextSearch::Progress& m_progress;
    long m_row = 0;
    int m_percent = -1;
    std::unordered_set<long> m_seen;
    std::vector<long> m_found;
};

// Waits for the batch on the worker threads however the scan ends.
struct PendingBatch {
    QFuture<void> future;
    std::vector<ScanRow> rows;
    ~PendingBatch() { future.waitForFinished(); }
};

} // namespace

std::vector<long> FullTextSearch::Run(db::Connection& connection, const QString& findText, int part,
                                      const Progress& progress) {
    // The rows are stepped, not held: the count gives the percentage.
    const long rows = connection.execute(QStringLiteral("SELECT Count(*) AS n FROM Texty") + partFilter(part))
                          .field(0)
                          .toLong();
    if (rows <= 0)
        return {};
    ScanState state(rows, progress);
    // One matcher for every text: its skip table is built once.
    const QStringMatcher matcher(findText, Qt::CaseInsensitive);
    const auto decode = [&matcher](ScanRow& row) {
        row.hit = !row.rtf.isEmpty() && matcher.indexIn(rtf::ReadRtfText(QString::fromUtf8(row.rtf))) >= 0;
        row.rtf = QByteArray();
    };
    PendingBatch pending;
    std::vector<ScanRow> batch;
    batch.reserve(kBatchRows);
    // The texts are decoded on worker threads while the next batch is read; the results are
    // taken in the order of the rows, so the herbs come in the order of their first hit.
    const auto submit = [&] {
        pending.future.waitForFinished();
        state.finish(pending.rows);
        pending.rows.swap(batch);
        pending.future = QtConcurrent::map(pending.rows, decode);
    };
    int columnHerb = -1, columnText = -1;
    connection.forEachRow(ScanSql(part), {}, [&](const db::Connection::Row& r) {
        if (columnHerb < 0) {
            columnHerb = r.requireColumn(QStringLiteral("IdxByliny"));
            columnText = r.requireColumn(QStringLiteral("Clanek"));
        }
        ScanRow row;
        row.herb = long(r.integer(columnHerb));
        // A herb already found needs no further text of its own.
        if (!state.known(row.herb))
            row.rtf = r.bytes(columnText).toByteArray();
        batch.push_back(std::move(row));
        if (batch.size() >= kBatchRows)
            submit();
        return true;
    });
    submit();
    pending.future.waitForFinished();
    state.finish(pending.rows);
    return std::move(state.found());
}

} // namespace lumo
