#pragma once

namespace lumo {

// A width and a height (twips on screen, device units on the printer).
struct PictureBox {
    double width = 0;
    double height = 0;
};

// The picture (pw x ph) fitted into a frame: its proportions kept, filling the frame in one
// dimension (a small picture is enlarged). A picture without size takes the whole frame; a
// frame without size gives an empty box.
PictureBox FitPicture(double frameWidth, double frameHeight, double pw, double ph);

// The printed size of a picture on a page area at percent (below 1 or above 100: 100).
PictureBox PrintedPictureSize(double pageWidth, double pageHeight, double pw, double ph, double percent);

// Which of First, Last, Prev, Next and Print are available for a picture count and the
// 1-based picture shown.
struct PictureButtons {
    bool First = false, Last = false, Prev = false, Next = false, Print = false;
};
PictureButtons PictureButtonStates(long count, long current);

// The picture the steps lead to (unchanged when the step does nothing; Next and Prev wrap).
enum class PictureStep { First, Last, Next, Prev };
long SteppedPicture(PictureStep step, long count, long current);

} // namespace lumo
