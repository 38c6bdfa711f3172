#pragma once

#include <QString>

#include <functional>

// Copying one file in 4096-byte steps with progress figures. The copy goes to a
// temporary file beside the target, which then replaces the target in one rename: a
// failed copy leaves the old target as it was. The new file keeps the source's
// permission bits (an upgraded program stays executable); a file copied onto itself is
// left alone.
namespace lumo::setup {

inline constexpr qint64 kCopyBlock = 4096;

// What the progress window shows; called at most about twice a second.
struct CopyFigures {
    int barPos = 0;       // progress bar width, in the scale's units
    double speedKBps = 0; // kilobytes per second (one block is 4 kB)
    double elapsed = 0;   // seconds since the copy began
};

struct CopyHooks {
    int barWidth = 0;              // width of the full scale
    std::function<double()> clock; // seconds, monotonic; the steady clock when empty
    std::function<void(const CopyFigures&)> update;
    std::function<void(int barPos)> finished; // the bar at full width minus 30
};

// Copies source to target (both resolved case-insensitively). Raises err::VbError on
// failure: 53 source missing, 70 no permission, 61 disk full, 75 any other.
void CopyFileWithProgress(const QString& source, const QString& target, const CopyHooks& hooks = {});

// The size shown for n bytes: the value and its unit ("Byte", "kB", "MB").
struct SizeText {
    QString value;
    QString unit;
};
SizeText FormatSize(qint64 bytes, QChar decimalPoint);
// The speed shown for kilobytes per second: "B/s", "kB/s" or "MB/s".
SizeText FormatSpeed(double kBps, QChar decimalPoint);
// Elapsed seconds as "HH:NN:SS".
QString FormatElapsed(double seconds);
// A number with a blank before its last three integer digits and with decimals ("# ##0.00").
QString FormatGrouped(double value, int decimals, QChar decimalPoint);

} // namespace lumo::setup
