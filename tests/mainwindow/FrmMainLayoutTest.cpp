#include "mainwindow/FrmMainLayout.h"
#include "mainwindow/FrmMainKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumo {
namespace {

// Client size and splitter -> the numbers every pane must get.
struct LayoutCase {
    int clientWidth, clientHeight, split;
    int effectiveWidth, lvWidth, lvColumn, stabLeft, stabWidth, inner, pageColumn, half, halfColumn, subLeft;
    int lvHeight, stabHeight, rtfHeight, tbSegTop, pageHeight, toolbarTop;
};

class MainLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MainLayoutTable, PlacesEveryPane) {
    const LayoutCase& c = GetParam();
    MainLayoutInput in;
    in.clientWidth = c.clientWidth;
    in.clientHeight = c.clientHeight;
    in.split = c.split;
    const MainLayout l = LayOutMainWindow(in);
    EXPECT_EQ(l.clientWidth, c.effectiveWidth);
    EXPECT_EQ(l.img.left, c.split);
    EXPECT_EQ(l.Lv.width, c.lvWidth);
    EXPECT_EQ(l.TxtByl.width, c.lvWidth);
    EXPECT_EQ(l.lvColumn, c.lvColumn);
    EXPECT_EQ(l.STab.left, c.stabLeft);
    EXPECT_EQ(l.STab.width, c.stabWidth);
    EXPECT_EQ(l.RtfTemp, l.STab);
    EXPECT_EQ(l.RtfByl.width, c.inner);
    EXPECT_EQ(l.TxtTemp, l.RtfByl);
    EXPECT_EQ(l.LvUL.width, c.inner);
    EXPECT_EQ(l.ImgByl.width, c.inner);
    EXPECT_EQ(l.pageColumn, c.pageColumn);
    EXPECT_EQ(l.LvInd.width, c.half);
    EXPECT_EQ(l.LvMesic.width, c.half);
    EXPECT_EQ(l.halfColumn, c.halfColumn);
    EXPECT_EQ(l.LvSub.left, c.subLeft);
    EXPECT_EQ(l.LvMesic.left, c.subLeft);
    EXPECT_EQ(l.Lv.height, c.lvHeight);
    EXPECT_EQ(l.STab.height, c.stabHeight);
    EXPECT_EQ(l.img.height, c.stabHeight);
    EXPECT_EQ(l.RtfByl.height, c.rtfHeight);
    EXPECT_EQ(l.TbSeg.top, c.tbSegTop);
    EXPECT_EQ(l.LvCast.height, c.pageHeight);
    EXPECT_EQ(l.ImgByl.height, c.pageHeight);
    EXPECT_EQ(l.pageToolbarTop, c.toolbarTop);
    // The picture captions sit at the foot of the picture, the second 15 twips lower.
    EXPECT_EQ(l.LblObr0.top + l.LblObr0.height, l.ImgByl.top + l.ImgByl.height);
    EXPECT_EQ(l.LblObr1.top, l.LblObr0.top + 15);
    // Nothing is ever given a negative size.
    for (const TwipRect* r : {&l.Tb, &l.StBar, &l.TxtByl, &l.Lv, &l.img, &l.STab, &l.RtfByl, &l.TbSeg,
                              &l.LvUL, &l.LvPrip, &l.LvInd, &l.LvSub, &l.LvCast, &l.LvMesic, &l.ImgByl}) {
        EXPECT_GE(r->width, 0);
        EXPECT_GE(r->height, 0);
    }
    EXPECT_GE(l.pripColumn1, 0);
    EXPECT_GE(l.statusPanel5, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MainLayoutTable,
    ::testing::Values(
        // A usual window.
        LayoutCase{12000, 8000, 3000, 12000, 2895, 2580, 3120, 8775, 8535, 8175, 4215, 3855, 4440, 6425, 6785,
                   5825, 6290, 5345, 5930},
        // The smallest window with the splitter at its least: the client is widened to fit.
        LayoutCase{8000, 5000, 2000, 10000, 1895, 1580, 2120, 7775, 7535, 7175, 3715, 3355, 3940, 3425, 3785,
                   2825, 3290, 2345, 2930},
        // A splitter at 0 (a client narrower than the splitter range): widths stop at zero.
        LayoutCase{8000, 5000, 0, 8000, 0, 0, 120, 7775, 7535, 7175, 3715, 3355, 3940, 3425, 3785, 2825, 3290,
                   2345, 2930},
        // A window lower than the minimum is laid out at the minimum height.
        LayoutCase{20000, 1000, 6000, 20000, 5895, 5580, 6120, 13775, 13535, 13175, 6715, 6355, 6940, 3425,
                   3785, 2825, 3290, 2345, 2930}));

TEST(MainLayout, StatusPanelFiveTakesTheRestAndFramesAreCentred) {
    MainLayoutInput in;
    in.clientWidth = 12000;
    in.clientHeight = 8000;
    in.split = 3000;
    in.statusPanelsWidth = 6000;
    in.frame1Width = 4001;
    in.frame1Height = 1800;
    in.frame2Width = 13000; // wider than the client
    in.frame2Height = 1000;
    const MainLayout l = LayOutMainWindow(in);
    EXPECT_EQ(l.statusPanel5, 12000 - 6000 - 225);
    EXPECT_EQ(l.Frame1, (TwipRect{3999, 3100, 4001, 1800}));
    EXPECT_EQ(l.Frame2.left, -500);
    in.statusPanelsWidth = 20000;
    EXPECT_EQ(LayOutMainWindow(in).statusPanel5, 0);
}

TEST(MainLayout, TheMenuBarTakesItsRowsAboveTheClientArea) {
    MainLayoutInput in;
    in.clientWidth = 12000;
    in.clientHeight = 8000;
    in.split = 3000;
    const MainLayout plain = LayOutMainWindow(in);
    in.clientHeight += 300;
    in.menuHeight = 300;
    const MainLayout l = LayOutMainWindow(in);
    EXPECT_EQ(l.MenuBar, (TwipRect{0, 0, 12000, 300}));
    EXPECT_EQ(l.clientHeight, 8300);
    const auto below = [](TwipRect r) {
        r.top += 300;
        return r;
    };
    for (auto pane : {&MainLayout::Tb, &MainLayout::StBar, &MainLayout::TxtByl, &MainLayout::Lv,
                      &MainLayout::img, &MainLayout::STab, &MainLayout::Frame2})
        EXPECT_EQ(l.*pane, below(plain.*pane));
    EXPECT_EQ(l.RtfByl, plain.RtfByl); // page controls stay relative to the tab strip
    // A window lower than the minimum keeps the minimum client below the menu.
    in.clientHeight = 1000;
    EXPECT_EQ(LayOutMainWindow(in).clientHeight, kMinClientHeight + 300);
}

TEST(MainLayout, ClampSplitKeepsTheRangeAndNeverGoesNegative) {
    struct Case {
        int x, client, expected;
    };
    for (const Case& c : std::vector<Case>{{3000, 12000, 3000},
                                           {500, 12000, 2000},
                                           {9000, 12000, 4000},
                                           {3000, 9000, 1000},
                                           {500, 7000, 0},
                                           {-400, 20000, 2000}}) {
        EXPECT_EQ(ClampSplit(c.x, c.client), c.expected) << c.x << " in " << c.client;
    }
    EXPECT_EQ(MinimumClientWidth(0), 8000);
    EXPECT_EQ(MinimumClientWidth(4000), 12000);
}

TEST(MainLayout, PlacementIsClampedToTheScreen) {
    struct Case {
        TwipRect stored;
        int screenWidth, screenHeight;
        TwipRect expected;
    };
    const std::vector<Case> cases{
        // Too small, left of and below the screen.
        {{-50, 99999, 3000, 2000}, 15360, 11520, {0, 6520, 8000, 5000}},
        // Fits as stored.
        {{100, 200, 9000, 6000}, 15360, 11520, {100, 200, 9000, 6000}},
        // Right edge pulled back onto the screen; a size above the screen is cut to it.
        {{12000, 0, 9000, 20000}, 15360, 11520, {6360, 0, 9000, 11520}},
        // A screen smaller than the smallest window keeps the window at the origin.
        {{500, 500, 9000, 6000}, 6000, 4000, {0, 0, 8000, 5000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceMainWindow(c.stored, {0, 0, c.screenWidth, c.screenHeight}), c.expected);
    // A screen's area below a panel: the first start's screen-sized window fits inside it.
    const TwipRect area{0, 450, 15360, 11070};
    EXPECT_EQ(PlaceMainWindow({0, 0, 15360, 11520}, area), (TwipRect{0, 450, 15360, 11070}));
    EXPECT_EQ(PlaceMainWindow({900, 12000, 9000, 6000}, area), (TwipRect{900, 5520, 9000, 6000}));
}

TEST(FrmMainKeys, HelpTopicsByListModeAndTab) {
    struct Case {
        long mode;
        int tab;
        long id;
    };
    for (const Case& c : std::vector<Case>{{1, 0, 1030},
                                           {1, 3, 1060},
                                           {1, 7, 1100},
                                           {1, 8, 1110},
                                           {1, -1, 1110},
                                           {2, 4, 1120},
                                           {5, 0, 1150},
                                           {8, 0, 1180},
                                           {9, 0, 0}}) {
        EXPECT_EQ(HelpContextId(c.mode, c.tab), c.id) << c.mode << "/" << c.tab;
    }
}

TEST(FrmMainKeys, CtrlDigitChoosesATabOnlyInTheHerbList) {
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_3), vbCtrlMask, 1), 2);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_1), vbCtrlMask, 1), 0);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_8), vbCtrlMask, 1), 7);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_9), vbCtrlMask, 1), -1);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_3), vbCtrlMask, 2), -1);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_3), vbCtrlMask | vbShiftMask, 1), -1);
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(Qt::Key_3), 0, 1), -1);
}

TEST(FrmMainKeys, QtKeysMapToTheirCodes) {
    EXPECT_EQ(VbKeyCode(Qt::Key_Return), vbKeyReturn);
    EXPECT_EQ(VbKeyCode(Qt::Key_Enter), vbKeyReturn);
    EXPECT_EQ(VbKeyCode(Qt::Key_Escape), vbKeyEscape);
    EXPECT_EQ(VbKeyCode(Qt::Key_PageDown), vbKeyPageDown);
    EXPECT_EQ(VbKeyCode(Qt::Key_F1), vbKeyF1);
    EXPECT_EQ(VbKeyCode(Qt::Key_A), 65);
    EXPECT_EQ(VbKeyCode(Qt::Key_F2), 0);
    EXPECT_EQ(VbShiftState(Qt::ControlModifier | Qt::ShiftModifier), vbCtrlMask | vbShiftMask);
    EXPECT_EQ(VbShiftState(Qt::AltModifier), vbAltMask);
}

// A Czech layout puts "+ ě š č ř ž ý á í é" on the digit row: the key's position decides.
TEST(FrmMainKeys, DigitRowKeysOfOtherLayoutsKeepTheirDigitCodes) {
    struct Case {
        int qtKey;
        quint32 scanCode;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Plus, 10, '1'}, {0x11A /* Ě */, 11, '2'}, {0x10C /* Č */, 12, '3'},
        {0xC9 /* É */, 19, '0'}, {Qt::Key_3, 99, '3'},     {Qt::Key_Return, 11, vbKeyReturn},
        {Qt::Key_Plus, 0, 0},    {0x11A, 20, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VbKeyCode(c.qtKey, c.scanCode), c.code) << c.qtKey << " " << c.scanCode;
    EXPECT_EQ(TabForCtrlDigit(VbKeyCode(0x10C, 12), vbCtrlMask, 1), 2);
}

} // namespace
} // namespace lumo
