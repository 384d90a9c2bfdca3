// The border light show as a viewer sees it, in real time: after ＝ the lamps and the entry
// line flash red and pink, then the chase comes back with the odd lamps green.
#include "face_points.h"
#include "main_window.h"
#include "printers.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace gui_test {
namespace {

enum class Look { Red, Dark, OddGreen, EvenGreen, Other };

const char* name(Look look) {
    switch (look) {
    case Look::Red:
        return "red";
    case Look::Dark:
        return "dark";
    case Look::OddGreen:
        return "odd green";
    case Look::EvenGreen:
        return "even green";
    case Look::Other:
        break;
    }
    return "other";
}

// What the lamps and the entry line show: a lamp on each side of the ring of each parity,
// and the entry line's background.
Look lookOf(const Snapshot& picture) {
    const QColor red(255, 0, 0), pink(255, 128, 128), green(0, 255, 0), orange(255, 128, 0);
    const QColor entry = picture.at(textBoxBackground("Text2"));
    auto lamps = [&](int from, QColor colour) {
        for (int n : {from, from + 12, from + 28, from + 40})
            if (picture.at(lampCentre(n)) != colour)
                return false;
        return true;
    };
    if (lamps(1, red) && lamps(2, red) && entry == red)
        return Look::Red;
    if (entry != orange)
        return Look::Other;
    if (lamps(1, pink) && lamps(2, pink))
        return Look::Dark;
    if (lamps(1, green) && lamps(2, pink))
        return Look::OddGreen;
    if (lamps(1, pink) && lamps(2, green))
        return Look::EvenGreen;
    return Look::Other;
}

TEST(LightShow, EqualsFlashesRedWithinTwoTicksThenTheChaseReturnsWithOddLampsGreen) {
    MainWindow main;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
    main.press({u"1", u"＋", u"2"});
    auto chasing = [&] {
        const Look look = lookOf(main.snapshot());
        return look == Look::OddGreen || look == Look::EvenGreen;
    };
    ASSERT_TRUE(QTest::qWaitFor(chasing, 3000)) << "the chase runs from the first tick";

    const Look before = lookOf(main.snapshot());

    QElapsedTimer clock;
    clock.start();
    const int tickAtEquals = main.form().lamps.LampTick;
    main.press(u"＝");
    std::vector<Look> seen{lookOf(main.snapshot())}; // then each change of look, in order
    int ticksToRed = -1;
    while (clock.elapsed() < 3000) {
        QTest::qWait(5);
        const Look look = lookOf(main.snapshot());
        if (look != seen.back())
            seen.push_back(look);
        if (look == Look::Red && ticksToRed < 0)
            ticksToRed = (main.form().lamps.LampTick - tickAtEquals + 10000) % 10000;
        if (look == Look::Other || (ticksToRed >= 0 && look != Look::Red && look != Look::Dark))
            break;
    }

    std::string sequence;
    for (Look look : seen)
        sequence += std::string(name(look)) + ", ";
    SCOPED_TRACE("seen: " + sequence + "after " + std::to_string(clock.elapsed()) + " ms");
    EXPECT_EQ(seen.front(), before) << "nothing changes before the next tick";
    EXPECT_GE(ticksToRed, 1);
    EXPECT_LE(ticksToRed, 2);
    // Every tick is seen: a tick only runs inside the waits between two pictures. Red and
    // dark alternate four times each, then the chase comes back in its first pattern.
    ASSERT_EQ(seen.size(), 10u);
    for (std::size_t i = 1; i < 9; ++i)
        EXPECT_EQ(seen[i], i % 2 == 1 ? Look::Red : Look::Dark) << i;
    EXPECT_EQ(seen.back(), Look::OddGreen);
    EXPECT_LT(clock.elapsed(), 3000) << "the chase is back within about a second";
}

} // namespace
} // namespace gui_test
