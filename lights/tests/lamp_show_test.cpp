// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lights/lamp_show.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace lights::lamp_colour;

// What one tick painted, reduced to the pattern: the colours of the odd and even lamps
// (every lamp of a kind must agree) and the entry line's background.
struct Frame {
    forms::Colour odd;
    forms::Colour even;
    forms::Colour entry;
    friend bool operator==(const Frame&, const Frame&) = default;
};

constexpr Frame ChaseA{Green, Pink, Orange};
constexpr Frame ChaseB{Pink, Green, Orange};
constexpr Frame FlashRed{Red, Red, Red};
constexpr Frame FlashPink{Pink, Pink, Orange};

class LampShowTest : public ::testing::Test {
  protected:
    LampShowTest() {
        for (std::size_t i = 0; i < lamps_.size(); ++i) {
            shapes_[i] = std::make_unique<forms::Shape>("ShapeK" + std::to_string(i + 1));
            shapes_[i]->setBackColor(Pink);
            lamps_[i] = shapes_[i].get();
        }
        entry_.setBackColor(Orange);
        show_.load(timer_);
    }

    Frame tick() {
        show_.tick(lamps_, entry_);
        return current();
    }

    std::vector<Frame> ticks(int count) {
        std::vector<Frame> frames;
        for (int i = 0; i < count; ++i)
            frames.push_back(tick());
        return frames;
    }

    Frame current() const {
        const Frame frame{lamps_[0]->backColor(), lamps_[1]->backColor(), entry_.backColor()};
        for (std::size_t i = 0; i < lamps_.size(); ++i)
            EXPECT_EQ(lamps_[i]->backColor(), i % 2 == 0 ? frame.odd : frame.even)
                << "lamp " << i + 1;
        return frame;
    }

    // Lengths of the runs of equal frames.
    static std::vector<int> runs(const std::vector<Frame>& frames) {
        std::vector<int> lengths;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            if (i == 0 || frames[i] != frames[i - 1])
                lengths.push_back(0);
            ++lengths.back();
        }
        return lengths;
    }

    lights::LampShow show_;
    forms::Timer timer_{"Timer2"};
    forms::TextBox entry_{"Text2"};
    std::array<std::unique_ptr<forms::Shape>, lights::LampCount> shapes_;
    std::array<forms::Shape*, lights::LampCount> lamps_{};
};

TEST_F(LampShowTest, LoadStartsTheTimerAndTheLampsStayPinkUntilTheFirstTick) {
    EXPECT_EQ(timer_.interval(), lights::LampInterval);
    EXPECT_EQ(current(), (Frame{Pink, Pink, Orange}));
    EXPECT_EQ(tick(), ChaseA);
}

// Loading in the middle of a flash starts the chase, and the next flash has all its pairs.
TEST_F(LampShowTest, LoadStartsTheChaseOver) {
    show_.startResultFlash();
    ticks(5);
    show_.load(timer_);
    EXPECT_EQ(tick(), ChaseA);
    show_.startResultFlash();
    EXPECT_EQ(runs(ticks(9)), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(LampShowTest, FirstChasePhaseLastsElevenTicksAndLaterOnesTen) {
    const std::vector<Frame> frames = ticks(61);
    EXPECT_EQ(runs(frames), (std::vector<int>{11, 10, 10, 10, 10, 10}));
    EXPECT_EQ(frames[0], ChaseA);
    EXPECT_EQ(frames[11], ChaseB);
}

TEST_F(LampShowTest, FlashFromEitherChaseIsEightTicksThenTheFirstPattern) {
    for (int before : {3, 15, 11, 21}) {
        SCOPED_TRACE(before);
        lights::LampShow fresh;
        show_ = fresh;
        show_.load(timer_);
        ticks(before);
        show_.startResultFlash();
        const std::vector<Frame> frames = ticks(18);
        const std::vector<Frame> expected{FlashRed, FlashPink, FlashRed, FlashPink,
                                          FlashRed, FlashPink, FlashRed, FlashPink};
        EXPECT_EQ(std::vector<Frame>(frames.begin(), frames.begin() + 8), expected);
        EXPECT_EQ(std::vector<Frame>(frames.begin() + 8, frames.end()),
                  std::vector<Frame>(10, ChaseA));
        EXPECT_EQ(tick(), ChaseB);
    }
}

TEST_F(LampShowTest, EqualsBeforeTheFirstTickGivesTwoRedTicks) {
    show_.startResultFlash();
    const std::vector<Frame> frames = ticks(10);
    EXPECT_EQ(runs(frames), (std::vector<int>{2, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(frames[8], FlashPink);
    EXPECT_EQ(frames[9], ChaseA);
}

TEST_F(LampShowTest, EqualsRightAfterARedTickAddsOneRedTick) {
    ticks(5);
    show_.startResultFlash();
    EXPECT_EQ(tick(), FlashRed);
    show_.startResultFlash();
    const std::vector<Frame> frames = ticks(9);
    EXPECT_EQ(frames, (std::vector<Frame>{FlashRed, FlashPink, FlashRed, FlashPink, FlashRed,
                                          FlashPink, FlashRed, FlashPink, ChaseA}));
}

TEST_F(LampShowTest, TheCountRunsOnAcrossTheWrap) {
    using lights::LampPhase;
    struct Row {
        LampPhase mode;
        std::int16_t last;
        std::int16_t switchesAt; // LampTick of the tick that switches
    };
    for (const Row& row :
         {Row{LampPhase::ChaseOddGreen, 9995, 5}, Row{LampPhase::ChaseEvenGreen, 9995, 5},
          Row{LampPhase::FlashRed, 9999, 0}, Row{LampPhase::FlashPink, 9999, 0}}) {
        SCOPED_TRACE(static_cast<int>(row.mode));
        show_.LampMode = row.mode;
        show_.LampLast = row.last;
        show_.LampCycle = 0;
        show_.LampTick = row.last; // as right after the last switch
        for (int guard = 0; show_.LampMode == row.mode; ++guard) {
            ASSERT_LT(guard, 20) << "never switched";
            const std::int16_t before = show_.LampTick;
            tick();
            ASSERT_LE(show_.LampTick, 9999);
            if (show_.LampMode != row.mode) {
                EXPECT_EQ(before, row.switchesAt);
            }
        }
        EXPECT_EQ(show_.LampLast, row.switchesAt);
    }
}

} // namespace
