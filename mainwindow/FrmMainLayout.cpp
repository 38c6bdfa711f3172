#include "mainwindow/FrmMainLayout.h"

#include <algorithm>

namespace lumo {

namespace {

// Fixed offsets of the form (twips).
constexpr int kListLeft = 45;
constexpr int kPaneGap = 60;    // between the toolbar and the panes
constexpr int kListTopGap = 30; // between the search box and the list
constexpr int kImgWidth = 90;
constexpr int kPageLeft = 120; // tab-page controls inside the tab strip
constexpr int kPageTop = 420;  // below the tab row
constexpr int kToolbarHeight = 390;

int nonNegative(int v) {
    return std::max(v, 0);
}

TwipRect rect(int left, int top, int width, int height) {
    return {left, top, nonNegative(width), nonNegative(height)};
}

// The right side: tab strip, description box and the widths of every page control.
void layOutRightSide(MainLayout& out, int p, int s) {
    out.STab.left = p + 120;
    out.STab.width = nonNegative(s - p - 225);
    const int wi = nonNegative(out.STab.width - 240);
    out.RtfByl.width = wi;
    out.TxtTemp.width = wi;
    out.TbSeg.width = wi;
    for (TwipRect* r :
         {&out.LvUL, &out.LvIndSk, &out.LvKomb, &out.LvPrip, &out.ImgByl, &out.LblObr0, &out.LblObr1})
        r->width = wi;
    out.pageColumn = nonNegative(wi - 360);
    const int half = nonNegative((wi - 105) / 2);
    for (TwipRect* r : {&out.LvInd, &out.LvSub, &out.LvCast, &out.LvMesic})
        r->width = half;
    out.halfColumn = nonNegative(half - 360);
    out.LvSub.left = wi - half + kPageLeft;
    out.LvMesic.left = out.LvSub.left;
}

// Tops and heights of the tab-page controls for a tab strip T twips high.
void layOutPages(MainLayout& out, int t, int lblObrHeight) {
    const int pageHeight = nonNegative(t - 1440);
    for (TwipRect* r : {&out.RtfByl, &out.TxtTemp, &out.TbSeg, &out.LvUL, &out.LvIndSk, &out.LvKomb,
                        &out.LvPrip, &out.LvInd, &out.LvCast, &out.ImgByl, &out.LblObr0, &out.LblObr1}) {
        r->left = kPageLeft;
        r->top = kPageTop;
        r->height = pageHeight;
    }
    out.LvSub.top = kPageTop;
    out.LvSub.height = pageHeight;
    out.LvMesic.top = kPageTop;
    out.LvMesic.height = pageHeight;
    out.RtfByl.height = nonNegative(t - 960);
    out.TxtTemp.height = out.RtfByl.height;
    out.TbSeg.top = t - 495;
    out.TbSeg.height = kToolbarHeight;
    out.pageToolbarTop = t - 855;
    out.LblObr0.height = lblObrHeight;
    out.LblObr1.height = lblObrHeight;
    out.LblObr0.top = out.ImgByl.top + out.ImgByl.height - lblObrHeight;
    out.LblObr1.top = out.LblObr0.top + 15;
}

TwipRect centred(int width, int height, int clientWidth, int clientHeight) {
    return rect((clientWidth - width) / 2, (clientHeight - height) / 2, width, height);
}

// Moves the client-area panes below the menu bar.
void shiftBelowMenu(MainLayout& out, int menu) {
    out.MenuBar = rect(0, 0, out.clientWidth, menu);
    for (TwipRect* r : {&out.Tb, &out.StBar, &out.TxtByl, &out.Lv, &out.img, &out.STab, &out.RtfTemp,
                        &out.Frame1, &out.Frame2})
        r->top += menu;
}

} // namespace

int ClampSplit(int x, int clientWidth) {
    return nonNegative(std::min(std::max(x, kMinSplit), clientWidth - kMinClientWidth));
}

int MinimumClientWidth(int split) {
    return std::max(kMinClientWidth, split + kMinClientWidth);
}

MainLayout LayOutMainWindow(const MainLayoutInput& in) {
    MainLayout out;
    const int p = nonNegative(in.split);
    const int s = std::max(in.clientWidth, MinimumClientWidth(p));
    const int menu = nonNegative(in.menuHeight);
    const int h = std::max(in.clientHeight - menu, kMinClientHeight);
    out.clientWidth = s;
    out.clientHeight = h + menu;

    out.Tb = rect(0, 0, s, in.toolbarHeight);
    out.StBar = rect(0, h - in.statusHeight, s, in.statusHeight);
    out.statusPanel5 = nonNegative(s - in.statusPanelsWidth - 225);

    const int paneTop = in.toolbarHeight + kPaneGap;
    const int lvWidth = p - 105;
    out.TxtByl = rect(kListLeft, paneTop, lvWidth, in.searchHeight);
    out.Lv = rect(kListLeft, paneTop + in.searchHeight + kListTopGap, lvWidth, h - 1575);
    out.lvColumn = nonNegative(lvWidth - 315);

    layOutRightSide(out, p, s);
    out.pripColumn1 = nonNegative(out.RtfByl.width - in.pripColumn2);
    out.STab.top = paneTop;
    out.STab.height = nonNegative(h - 1215);
    out.img = rect(p, paneTop, kImgWidth, out.STab.height);
    out.RtfTemp = out.STab;
    layOutPages(out, out.STab.height, in.lblObrHeight);

    out.Frame1 = centred(in.frame1Width, in.frame1Height, s, h);
    out.Frame2 = centred(in.frame2Width, in.frame2Height, s, h);
    shiftBelowMenu(out, menu);
    return out;
}

TwipRect PlaceMainWindow(const TwipRect& stored, const TwipRect& area) {
    TwipRect r;
    r.width = std::max(std::min(stored.width, area.width), kMinClientWidth);
    r.height = std::max(std::min(stored.height, area.height), kMinClientHeight);
    // An area smaller than the minimum window keeps the title bar reachable at its corner.
    r.left = area.left + nonNegative(std::min(stored.left - area.left, area.width - r.width));
    r.top = area.top + nonNegative(std::min(stored.top - area.top, area.height - r.height));
    return r;
}

} // namespace lumo
