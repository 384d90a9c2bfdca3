// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Long runs of the real window: the About window shown and hidden a thousand times and closed
// and made anew a hundred times, and ten minutes' worth of lamp and key-flash ticks from the
// real timers, run fast, between key clicks. Prints resident memory before, in the middle and
// after; asserts only that it stops growing after a warm-up, by a generous bound, and that the
// windows, lines and numbers stay sound.
#include "app/tests/gui/form1_window.h"
#include "bench/resident_memory.h"
#include "tests/support/qt/qt_printers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace gui_test {
namespace {

constexpr long GrowthBoundKb = 5L * 1024;

void printMemory(const char* run, const char* when, const ResidentMemory& memory) {
    std::printf("[ figures  ] %s, %s: VmRSS %ld kB, RssAnon %ld kB\n", run, when, memory.vmRssKb,
                memory.rssAnonKb);
    std::fflush(stdout);
}

void expectBoundedGrowth(const ResidentMemory& warm, const ResidentMemory& last) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer holds freed memory back, so resident memory grows anyway";
#endif
    if (warm.vmRssKb < 0 || last.vmRssKb < 0)
        GTEST_SKIP() << "this system does not tell a process's resident memory";
    EXPECT_LT(last.vmRssKb - warm.vmRssKb, GrowthBoundKb);
    EXPECT_LT(last.rssAnonKb - warm.rssAnonKb, GrowthBoundKb);
}

// Lets the deferred deletions and paints of the last steps happen, as the event loop would.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class LongRun : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }

    void expectSoundLines() {
        const Form1& form = main.form();
        EXPECT_TRUE(std::isfinite(form.calculator.ValA));
        EXPECT_TRUE(std::isfinite(form.calculator.ValB));
        for (const char* name : {"Text1", "Text2"}) {
            const QString shown = main.line(name)->text();
            EXPECT_FALSE(shown.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
                         shown.contains(QLatin1String("nan"), Qt::CaseInsensitive))
                << name << ": " << shown.toStdString();
        }
        EXPECT_EQ(main.line("Text1")->text(), QString::fromStdU16String(form.Text1.text()));
        EXPECT_EQ(main.line("Text2")->text(), QString::fromStdU16String(form.Text2.text()));
    }

    Form1Window main;
};

TEST_F(LongRun, TheAboutWindowShownHiddenAndClosedOverAndOver) {
    const int hides = 1000;
    QAction* item = main.window()->findChild<QAction*>("Version");
    ASSERT_NE(item, nullptr);
    auto showAbout = [&]() -> QWidget* {
        item->trigger();
        const QList<QWidget*> shown = visibleWindows(QStringLiteral("frmAbout"));
        return shown.size() == 1 ? shown.front() : nullptr;
    };
    // Shown and hidden by its button; every tenth time then closed with its close box.
    auto cycle = [&](int i) {
        QWidget* about = showAbout();
        ASSERT_NE(about, nullptr) << "at " << i;
        settle();
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("CommandVersionToziru")),
                          Qt::LeftButton);
        ASSERT_FALSE(about->isVisible());
        if (i % 10 == 9) {
            about = showAbout();
            ASSERT_NE(about, nullptr);
            about->windowHandle()->close();
            ASSERT_TRUE(QTest::qWaitFor([&] { return main.form().about() == nullptr; }, 2000));
        }
        settle();
    };

    for (int i = 0; i < 50; ++i)
        cycle(i);
    const qsizetype windows = QApplication::topLevelWidgets().size();
    const ResidentMemory warm = residentMemory();
    printMemory("About window", "after 50 warm-up cycles", warm);
    for (int i = 0; i < hides; ++i) {
        cycle(i);
        if (i == hides / 2)
            printMemory("About window", "half-way", residentMemory());
        if (HasFatalFailure())
            return;
    }
    const ResidentMemory last = residentMemory();
    std::printf("[ figures  ] About window: %d shown and hidden, %d closed with the close box\n",
                hides, hides / 10);
    printMemory("About window", "after", last);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows) << "windows left behind";
    expectBoundedGrowth(warm, last);
}

// A window made anew shows the pictures decoded the first time: a fresh decoding each time
// would leave its copy of the window icon in Qt's pixmap cache under a key never asked again.
TEST_F(LongRun, TheAboutWindowMadeAnewReusesItsDecodedPictures) {
    auto pictureKeys = [&] {
        main.window()->findChild<QAction*>("Version")->trigger();
        const QList<QWidget*> shown = visibleWindows(QStringLiteral("frmAbout"));
        EXPECT_EQ(shown.size(), 1);
        if (shown.size() != 1)
            return std::pair<qint64, qint64>{};
        QWidget* about = shown.front();
        const QIcon icon = about->windowIcon();
        const std::pair keys{
            icon.pixmap(icon.availableSizes().value(0)).cacheKey(),
            about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().cacheKey()};
        about->windowHandle()->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main.form().about() == nullptr; }, 2000));
        settle();
        return keys;
    };
    const auto first = pictureKeys();
    EXPECT_EQ(pictureKeys(), first);
}

// Counts the ticks of the two display timers, told apart by the fast intervals given to them.
struct TickCounter : QObject {
    static constexpr int LampMs = 1;
    static constexpr int FlashMs = 2;
    int lamp = 0;
    int flash = 0;
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        if (event->type() == QEvent::Timer) {
            if (auto* timer = qobject_cast<QTimer*>(watched)) {
                lamp += timer->interval() == LampMs;
                flash += timer->interval() == FlashMs;
            }
        }
        return false;
    }
};

TEST_F(LongRun, TenMinutesOfTimerTicksBetweenKeyClicks) {
    const int lampTicks = 6000; // ten minutes of the lamps' 100 ms
    constexpr int lampTicksPerKey = 20;
    const int keys = lampTicks / lampTicksPerKey;
    // A calculation with every kind of key, over and over.
    const std::u16string_view script[] = {
        u"1",  u"2",   u"＋", u"3", u"×", u"4",  u"＝", u"5", u".",  u"6", u"÷",  u"7", u"－", u"8",
        u"＝", u"+/-", u"9",  u"×", u"0", u"＝", u"C",  u"1", u"－", u"2", u"CE", u"3", u"＝"};

    Form1& form = main.form();
    TickCounter ticks;
    QApplication::instance()->installEventFilter(&ticks);
    // The real timers, run fast: the elements' intervals are what the window's timers follow.
    form.Timer2.setInterval(TickCounter::LampMs);
    const int startTick = form.lamps.LampTick;

    ResidentMemory warm, middle;
    for (int k = 0; k < keys; ++k) {
        main.press({script[std::size_t(k) % std::size(script)]});
        // An entry key sets the key-flash timer to 200 ms; keep it fast.
        form.Timer1.setInterval(TickCounter::FlashMs);
        const int lampGoal = (k + 1) * lampTicksPerKey;
        const int flashGoal = lampGoal / 2;
        // Not QTest::qWaitFor: it sleeps 10 ms between its looks.
        QElapsedTimer waited;
        waited.start();
        while ((ticks.lamp < lampGoal || ticks.flash < flashGoal) && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); // ticks and paints
        ASSERT_TRUE(ticks.lamp >= lampGoal && ticks.flash >= flashGoal)
            << "the timers stopped at key " << k;
        if (k == keys / 10)
            warm = residentMemory();
        if (k == keys / 2)
            middle = residentMemory();
        if (k % 20 == 0) {
            expectSoundLines();
            main.client()->grab();
        }
    }
    form.Timer2.setInterval(lights::LampInterval);
    form.Timer1.setInterval(200);
    QApplication::instance()->removeEventFilter(&ticks);
    settle();
    const ResidentMemory last = residentMemory();

    std::printf("[ figures  ] timers: %d lamp ticks, %d key-flash ticks, %d key clicks, %d paint "
                "events\n",
                ticks.lamp, ticks.flash, keys, ticks.paints);
    printMemory("timers", "after a tenth (warm)", warm);
    printMemory("timers", "half-way", middle);
    printMemory("timers", "after", last);
    EXPECT_EQ((form.lamps.LampTick - startTick + 10000) % 10000, ticks.lamp % 10000)
        << "every tick reached the light show once";
    expectSoundLines();
    expectBoundedGrowth(warm, last);
}

} // namespace
} // namespace gui_test
