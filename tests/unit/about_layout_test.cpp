#include "about/about_layout.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct LayoutRow {
    int dpi;
    AboutLayout expected;
    int fontHeight;
};

// The window at the usual settings; 144 DPI floors 37.5 to 37 and 187.5 to 187.
const LayoutRow layoutRows[] = {
    {96, {280, 140, {{15, 15, 250, 20}, {15, 35, 125, 20}, {15, 65, 250, 20}, {100, 100, 80, 25}}}, -12},
    {120, {350, 175, {{18, 18, 312, 25}, {18, 43, 156, 25}, {18, 81, 312, 25}, {125, 125, 100, 31}}}, -15},
    {144, {420, 210, {{22, 22, 375, 30}, {22, 52, 187, 30}, {22, 97, 375, 30}, {150, 150, 120, 37}}}, -18},
    {192, {560, 280, {{30, 30, 500, 40}, {30, 70, 250, 40}, {30, 130, 500, 40}, {200, 200, 160, 50}}}, -24},
};

void expectRect(const LayoutRect& got, const LayoutRect& expected)
{
    EXPECT_EQ(got.x, expected.x);
    EXPECT_EQ(got.y, expected.y);
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.height, expected.height);
}

TEST(ScaledAboutLayout, UsualSettings)
{
    for (const LayoutRow& row : layoutRows) {
        SCOPED_TRACE(testing::Message() << row.dpi << " DPI");
        AboutLayout got = scaledAboutLayout(row.dpi, row.dpi);
        EXPECT_EQ(got.clientWidth, row.expected.clientWidth);
        EXPECT_EQ(got.clientHeight, row.expected.clientHeight);
        for (int id = 0; id < aboutControlCount; ++id) {
            SCOPED_TRACE(testing::Message() << "control " << id);
            expectRect(got.controls[id], row.expected.controls[id]);
        }
        EXPECT_EQ(controlFontHeight(row.dpi), row.fontHeight);
    }
}

TEST(ScaledAboutLayout, EachAxisHasItsOwnDpi)
{
    AboutLayout got = scaledAboutLayout(144, 96);
    EXPECT_EQ(got.clientWidth, 420);
    EXPECT_EQ(got.clientHeight, 140);
    expectRect(got.controls[okButton], {150, 100, 120, 25});
    got = scaledAboutLayout(96, 144);
    expectRect(got.controls[okButton], {100, 150, 80, 37});
}

TEST(ScaleToDpi, RoundsDown)
{
    const struct {
        int value, dpi, expected;
    } rows[] = {{25, 144, 37}, {125, 144, 187}, {25, 120, 31}, {35, 120, 43}, {65, 120, 81},
                {1, 191, 1},   {1, 192, 2},     {15, 97, 15},   {96, 97, 97},  {0, 144, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value << " at " << row.dpi << " DPI");
        EXPECT_EQ(scaleToDpi(row.value, row.dpi), row.expected);
    }
}

// The test runs on Windows (under Wine), so the font height can be held against MulDiv itself.
TEST(ControlFontHeight, RoundsAsMulDivDoes)
{
    for (int dpi = 48; dpi <= 480; ++dpi) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        EXPECT_EQ(controlFontHeight(dpi), -MulDiv(9, dpi, 72));
    }
}

TEST(CentredOrigin, CentresAndNeverGoesBelowZero)
{
    const struct {
        int window, screen, expected;
    } rows[] = {{286, 1280, 497}, {287, 1280, 496}, {1280, 1280, 0}, {1300, 1280, 0}, {600, 480, 0}, {0, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.window << " on " << row.screen);
        EXPECT_EQ(centredOrigin(row.window, row.screen), row.expected);
    }
}

}  // namespace
