#pragma once

// Placement and layout of the main window, in twips, without widgets.
namespace lumo {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipRect&) const = default;
};

// The smallest client area the panes fit in, and the splitter's allowed range.
constexpr int kMinClientWidth = 8000;
constexpr int kMinClientHeight = 5000;
constexpr int kMinSplit = 2000;

// Sizes the layout takes as given (the controls' own heights, the frames, the status panels).
struct MainLayoutInput {
    int clientWidth = 0; // the window's inner size, the menu bar included
    int clientHeight = 0;
    int menuHeight = 0; // the menu bar's rows at the top of the inner area
    int split = 0;      // img.Left, already placed by ClampSplit
    int toolbarHeight = 570;
    int searchHeight = 330;
    int statusHeight = 330;
    int statusPanelsWidth = 0; // panels 1 to 4 together
    int pripColumn2 = 1500;    // the second column of the preparations list
    int frame1Width = 0, frame1Height = 0;
    int frame2Width = 0, frame2Height = 0;
    int lblObrHeight = 285;
};

// Every pane of the main window. Rectangles of tab-page controls are relative to the tab
// strip; the others to the window's inner area, whose client area starts below the menu bar.
// No width or height is ever below zero.
struct MainLayout {
    int clientWidth = 0; // the inner size the panes need (at least the minimum client)
    int clientHeight = 0;

    TwipRect MenuBar;
    TwipRect Tb, StBar, TxtByl, Lv, img, STab, RtfTemp, Frame1, Frame2;
    int lvColumn = 0;
    int statusPanel5 = 0;

    TwipRect RtfByl, TxtTemp, TbSeg;
    TwipRect LvUL, LvIndSk, LvKomb, LvPrip, LvInd, LvSub, LvCast, LvMesic, ImgByl;
    TwipRect LblObr0, LblObr1;
    int pageColumn = 0;     // column 1 of LvUL, LvIndSk and LvKomb
    int pripColumn1 = 0;    // column 1 of LvPrip
    int halfColumn = 0;     // column 1 of the four side-by-side lists
    int pageToolbarTop = 0; // TbUL, TbIndSk, TbObr, TbPrip, TbInd, TbKomb, TbSber
};

// The splitter position for a wanted X: at least kMinSplit, leaving kMinClientWidth to the
// right, and never below zero when the client is narrower than both.
int ClampSplit(int x, int clientWidth);

// The client size the window may not shrink below with the splitter at split.
int MinimumClientWidth(int split);

// Lays out every pane for a client size and splitter position.
MainLayout LayOutMainWindow(const MainLayoutInput& in);

// The window's outer rectangle from the stored placement: at least the minimum size, at most
// the screen's area, and pulled back into the area.
TwipRect PlaceMainWindow(const TwipRect& stored, const TwipRect& area);

} // namespace lumo
