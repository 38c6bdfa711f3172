#include "browsers/PictureFit.h"

#include <algorithm>

namespace lumo {

PictureBox FitPicture(double frameWidth, double frameHeight, double pw, double ph) {
    if (frameWidth <= 0 || frameHeight <= 0)
        return {};
    if (pw <= 0 || ph <= 0)
        return {frameWidth, frameHeight};
    const double rh = ph / frameHeight;
    const double rw = pw / frameWidth;
    const double m = std::max(rw, rh);
    return {frameWidth * rw / m, frameHeight * rh / m};
}

PictureBox PrintedPictureSize(double pageWidth, double pageHeight, double pw, double ph, double percent) {
    if (percent < 1 || percent > 100)
        percent = 100;
    const double s = percent / 100;
    const PictureBox fitted = FitPicture(pageWidth, pageHeight, pw, ph);
    return {fitted.width * s, fitted.height * s};
}

PictureButtons PictureButtonStates(long count, long current) {
    PictureButtons b;
    b.Print = count >= 1;
    if (count < 2)
        return b;
    b.First = b.Prev = current > 1;
    b.Last = b.Next = current < count;
    return b;
}

long SteppedPicture(PictureStep step, long count, long current) {
    if (count < 2)
        return current;
    switch (step) {
    case PictureStep::First:
        return current >= 2 ? 1 : current;
    case PictureStep::Last:
        return current < count ? count : current;
    case PictureStep::Next:
        return current >= count ? 1 : current + 1;
    case PictureStep::Prev:
        return current <= 1 ? count : current - 1;
    }
    return current;
}

} // namespace lumo
