#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "hud/Hud.h"
#include "player/Player.h"
#include "support/GameFixture.h"

namespace glintwake {
namespace {

using platform::TextAlign;
using platform::TextCall;

class HudTest : public test::GameFixture {
protected:
    const std::vector<TextCall>& calls() { return platform_.recordingText().calls(); }
};

// A negative x centres the text on -x, a negative y right-aligns it at -y; the index
// picks the font.
TEST_F(HudTest, SignsChooseAlignmentAndIndexTheFont) {
    Hud hud;
    for (auto [x, y, fontIndex, drawnX, drawnY, height, align] :
         {std::tuple{-320, 2, 2, 320, 2, 20, TextAlign::Center},
          {500, -160, 1, 500, 160, 15, TextAlign::Right},
          {150, 130, 0, 150, 130, 7, TextAlign::Left},
          {-31, -17, 5, 31, 17, 7, TextAlign::Center}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        platform_.recordingText().clearCalls();
        hud.drawText(x, y, "text", fontIndex, platform::ColorRef{0x123456});
        ASSERT_EQ(calls().size(), 1u);
        const TextCall& t = calls()[0];
        EXPECT_EQ(std::tuple(t.x, t.y, t.align, t.pixelHeight, t.color, t.face),
                  std::tuple(drawnX, drawnY, align, height, platform::ColorRef{0x123456},
                             height == 7 ? "Small Fonts" : "Times New Roman"));
    }
}

TEST_F(HudTest, MessageFadesOutOverFourSecondsAndIsCutTo29Characters) {
    Hud hud;
    hud.setMessage("abcdefghijklmnopqrstuvwxyz0123456789");
    EXPECT_STREQ(hud.getMessage(), "abcdefghijklmnopqrstuvwxyz012");  // 29 characters
    // Green = remaining / 4 * 255 truncated, drawn before the time is lowered; then no line.
    for (int64_t green : {255, 223, 191, 159, 127, 95, 63, 31, -1}) {
        platform_.recordingText().clearCalls();
        hud.draw(0.5, nullptr);
        int64_t drawn = -1;
        for (const TextCall& c : calls()) drawn = c.y == 460 ? static_cast<int64_t>(c.color) : drawn;
        EXPECT_EQ(drawn, green < 0 ? -1 : green << 8);
    }
}

// Shield (else health), its value, the bar's full columns and the readout.
using BarCase = std::tuple<bool, double, int, const char*>;
class HudBarTest : public HudTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(HudBarTest, FillAndValue) {
    const auto [shield, value, fullColumns, text] = GetParam();
    g_player = new Player();
    shield ? g_player->setShield(value) : g_player->setHealth(static_cast<int32_t>(value));
    Hud hud;
    hud.draw(0.0, g_player);
    const int32_t left = shield ? 72 : 2, row = 15;
    const platform::Pixel full = test::colourOf(shield ? g_imgShieldBarFull : g_imgHealthBarFull);
    const platform::Pixel empty = test::colourOf(g_imgStatusBarEmpty);
    for (int32_t x = left - 1; x <= left + 60; ++x) {
        const bool inBar = x >= left && x < left + 60;
        EXPECT_EQ(g_backBuffer->pixel(x, row), !inBar ? 0 : x < left + fullColumns ? full : empty) << x;
    }
    EXPECT_EQ(calls().at(shield ? 1 : 0).text, text);
}

INSTANTIATE_TEST_SUITE_P(Values, HudBarTest,
                         ::testing::Values(BarCase{false, 100, 60, "100"}, BarCase{false, 55, 33, "55"},
                                           BarCase{false, 0, 0, "0"}, BarCase{false, -5, 0, "-5"},
                                           BarCase{true, 3.0, 60, "100%"}, BarCase{true, 1.5, 30, "50%"},
                                           BarCase{true, 0.999, 19, "33%"},
                                           // Above the maximum the bar stays full, never wider.
                                           BarCase{false, 150, 60, "150"}, BarCase{true, 4.5, 60, "150%"}));

TEST_F(HudTest, ReadoutsAreCutToTheirBuffers) {
    g_player = new Player();
    g_player->setAmmo(3, 7, 2000000000);
    g_player->setLevels(1, 2, 3);
    g_waveNumber = 123456;
    Hud hud;
    hud.draw(0.0, g_player);
    std::vector<std::string> texts;
    for (const TextCall& c : calls()) texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"100", "100%", "Start!", "3", "7", "200000000", "Lvl 1",
                                               "Lvl 2", "Lvl 3", "Wave 1234"}));
}

}  // namespace
}  // namespace glintwake
