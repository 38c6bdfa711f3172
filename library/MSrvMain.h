#pragma once

class QWidget;

namespace lumo {

// Screen metrics of the form's screen: width and height in pixels and bits per pixel;
// all 0 without a form.
struct ScreenRecord {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
};
ScreenRecord ScreenMetrics(const QWidget* form);

// Gives the service object its colour-gradient painter: the gradient is kept as a
// layer at the bottom of the form and repainted with it. Mode 2 to 5 start at the top
// left, top right, bottom left and bottom right corner, 6 at the centre; others run
// from top to bottom.
void InstallGradientPainter();

} // namespace lumo
