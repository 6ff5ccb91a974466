// The 3D page: knob places to values, link modes, the double write per drag step, the reset.

#include <gtest/gtest.h>

#include "panel/settings/d3_page.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::Reports;
using test::SettingsRig;

struct ValueRow {
    int top;
    int value;
};

TEST(D3Knobs, PlacesAndValuesWithATravelOf120) {
    for (const ValueRow& row : std::vector<ValueRow>{{105, 15}, {165, 8}, {225, 0}, {106, 15}}) {
        EXPECT_EQ(D3ValueFromTop(row.top, 120), row.value) << row.top;
    }
    for (const ValueRow& row : std::vector<ValueRow>{{145, 10}, {201, 3}, {105, 15}, {225, 0}}) {
        EXPECT_EQ(D3TopFromValue(row.value, 120), row.top) << row.value;
    }
    EXPECT_EQ(D3ValueFromTop(150, 0), 0) << "no travel length: no division by zero";
}

TEST(D3Knobs, LinkModesCycleAndMoveThePartner) {
    EXPECT_EQ(NextLinkMode(-1), 0);
    EXPECT_EQ(NextLinkMode(0), 1);
    EXPECT_EQ(NextLinkMode(1), 2);
    EXPECT_EQ(NextLinkMode(2), 0);
    EXPECT_EQ(LinkedPartnerTop(-1, 120), std::nullopt);
    EXPECT_EQ(LinkedPartnerTop(0, 120), std::nullopt);
    EXPECT_EQ(LinkedPartnerTop(1, 120), 120);
    EXPECT_EQ(LinkedPartnerTop(2, 105), 225);
    EXPECT_EQ(D3Partner(kD3LeftBeta), kD3RightBeta);
    EXPECT_EQ(D3Partner(kD3RightAlpha), kD3LeftAlpha);
}

class D3Page : public ::testing::Test, public SettingsRig {
  protected:
    void SetUp() override {
        sound = world.AddSoundDevice();
        Start();
        tops = D3KnobTopsFor(settings.d3, 120);
        ClearLogs();
    }
    D3KnobTops tops{};
};

TEST_F(D3Page, InverseBetaDragWritesBothSidesWithTheirOwnIdleReport) {
    settings.betaLinkMode = 2;
    controller.Move3DKnob(kD3LeftBeta, 60, tops, 120);  // above the travel: clamped to 105
    EXPECT_EQ(tops[kD3LeftBeta], 105);
    EXPECT_EQ(tops[kD3RightBeta], 225);
    EXPECT_EQ(settings.d3.leftBeta, 15);
    EXPECT_EQ(settings.d3.rightBeta, 0);
    EXPECT_EQ(settings.d3.leftAlpha, 10) << "alpha untouched";
    // Fbm bit, 395, 396 from the left values; then again with the right ones.
    const Reports expected = Reports()
                                 .M(394, 0x25)
                                 .W(395, 0xAF)
                                 .W(396, 0xA3)
                                 .I()
                                 .M(394, 0x25)
                                 .W(395, 0xAF)
                                 .W(396, 0xA0)
                                 .I();
    EXPECT_EQ(firmware().SentReports(), expected.list);
}

TEST_F(D3Page, DependentAlphaFollowsAndIndependentStays) {
    settings.alphaLinkMode = 1;
    controller.Move3DKnob(kD3RightAlpha, 165, tops, 120);
    EXPECT_EQ(tops[kD3LeftAlpha], 165);
    EXPECT_EQ(settings.d3.leftAlpha, 8);
    settings.alphaLinkMode = 0;
    controller.Move3DKnob(kD3RightAlpha, 225, tops, 120);
    EXPECT_EQ(tops[kD3LeftAlpha], 165);
    EXPECT_EQ(settings.d3.rightAlpha, 0);
}

TEST_F(D3Page, AValueAboveFifteenIsRefusedUntilAKnobBringsItBack) {
    settings.d3.leftAlpha = 20;  // as a profile may leave it
    controller.Move3DKnob(kD3RightBeta, 201, tops, 120);
    // The left values come from the knob places, so the drag itself mends the value.
    EXPECT_EQ(settings.d3.leftAlpha, 10);
    EXPECT_EQ(firmware().Register(395), 0xA3);

    ClearLogs();
    settings.d3.rightAlpha = 16;
    controller.Reset3D();
    EXPECT_EQ(settings.d3.rightAlpha, 10);
    EXPECT_EQ(firmware().SentReports(), Reports().M(394, 0x25).W(395, 0xA3).W(396, 0xA3).list)
        << "the reset sends no idle report";
}

TEST_F(D3Page, WithoutSyncOnlyIdleReportsGoOut) {
    settings.syncToDevice = false;
    controller.Move3DKnob(kD3LeftAlpha, 105, tops, 120);
    EXPECT_EQ(settings.d3.leftAlpha, 15);
    EXPECT_EQ(firmware().SentReports(), Reports().I().I().list);
}

}  // namespace
}  // namespace tonedeck
