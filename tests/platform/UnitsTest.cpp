#include "platform/ui/Units.h"

#include <gtest/gtest.h>

using namespace lumo::ui;

TEST(Units, TwipsAndOleColours) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(OleToColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(OleToColor(0x8000), QColor(0, 128, 0));
    EXPECT_EQ(OleToColor(255), QColor(255, 0, 0));
    EXPECT_EQ(ColorToOle(QColor(0, 0, 255)), 0xFF0000);
}
