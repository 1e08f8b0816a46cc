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
    // Colour of the message line drawn by one frame of `draw`, or -1 when not drawn.
    int64_t messageFrame(Hud& hud, double dt) {
        platform_.recordingText().clearCalls();
        hud.draw(dt, nullptr);
        for (const TextCall& c : calls())
            if (c.y == 460) return c.color;
        return -1;
    }
};

struct AlignCase {
    int32_t x, y, fontIndex, drawnX, drawnY, height;
    TextAlign align;
    friend std::ostream& operator<<(std::ostream& os, const AlignCase& c) { return os << c.x << "," << c.y; }
};
class HudAlignTest : public HudTest, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(HudAlignTest, SignsChooseAlignmentAndIndexTheFont) {
    const AlignCase c = GetParam();
    Hud hud;
    hud.drawText(c.x, c.y, "text", c.fontIndex, 0x123456);
    ASSERT_EQ(calls().size(), 1u);
    const TextCall& t = calls()[0];
    EXPECT_EQ(std::tie(t.x, t.y, t.align, t.pixelHeight), std::tie(c.drawnX, c.drawnY, c.align, c.height));
    EXPECT_EQ(t.color, 0x123456u);
    EXPECT_EQ(t.face, c.height == 7 ? "Small Fonts" : "Times New Roman");
}

INSTANTIATE_TEST_SUITE_P(Signs, HudAlignTest,
                         ::testing::Values(AlignCase{-320, 2, 2, 320, 2, 20, TextAlign::Center},
                                           AlignCase{500, -160, 1, 500, 160, 15, TextAlign::Right},
                                           AlignCase{150, 130, 0, 150, 130, 7, TextAlign::Left},
                                           AlignCase{-31, -17, 5, 31, 17, 7, TextAlign::Center}));

TEST_F(HudTest, MessageFadesOutOverFourSecondsAndIsCutTo29Characters) {
    Hud hud;
    EXPECT_STREQ(hud.getMessage(), "Start!");
    std::vector<int64_t> greens;
    for (int64_t c; (c = messageFrame(hud, 1.0 / 60)) >= 0 && greens.size() < 300;) greens.push_back(c);
    EXPECT_NEAR(greens.size(), 240.0, 1.0);
    EXPECT_EQ(greens[0], 0xFF00);
    EXPECT_LT(greens[1], greens[0]);

    const std::string longText = "abcdefghijklmnopqrstuvwxyz0123456789";
    hud.setMessage(longText.c_str());
    EXPECT_EQ(hud.getMessage(), longText.substr(0, 29));
    // Green = remaining / 4 * 255 truncated, drawn before the time is lowered.
    for (int64_t green : {255, 223, 191, 159, 127, 95, 63, 31}) EXPECT_EQ(messageFrame(hud, 0.5), green << 8);
    EXPECT_EQ(messageFrame(hud, 0.5), -1);
}

struct BarCase {
    bool shield;
    double value;
    int fullColumns;
    const char* text;
    friend std::ostream& operator<<(std::ostream& os, const BarCase& c) {
        return os << (c.shield ? "shield " : "health ") << c.value;
    }
};
class HudBarTest : public HudTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(HudBarTest, FillAndValue) {
    const BarCase c = GetParam();
    g_player = new Player();
    c.shield ? g_player->setShield(c.value) : g_player->setHealth(static_cast<int32_t>(c.value));
    Hud hud;
    hud.draw(0.0, g_player);
    const int32_t left = c.shield ? 72 : 2, row = 15;
    const platform::Pixel full = test::colourOf(c.shield ? g_imgShieldBarFull : g_imgHealthBarFull);
    const platform::Pixel empty = test::colourOf(g_imgStatusBarEmpty);
    for (int32_t x = left - 1; x <= left + 60; ++x) {
        const bool inBar = x >= left && x < left + 60;
        EXPECT_EQ(g_backBuffer->pixel(x, row), !inBar ? 0 : x < left + c.fullColumns ? full : empty) << x;
    }
    EXPECT_EQ(calls().at(c.shield ? 1 : 0).text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, HudBarTest,
                         ::testing::Values(BarCase{false, 100, 60, "100"}, BarCase{false, 55, 33, "55"},
                                           BarCase{false, 0, 0, "0"}, BarCase{false, -5, 0, "-5"},
                                           BarCase{true, 3.0, 60, "100%"}, BarCase{true, 1.5, 30, "50%"},
                                           BarCase{true, 0.999, 19, "33%"}));

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
