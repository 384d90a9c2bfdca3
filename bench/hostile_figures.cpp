// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times, in the real window, a click on ＋ until what it changes has been painted and flushed,
// with lines as long as they get: the entry line full with the 32,767 characters a user may
// type, once as a number (1 ＋ 2, then 32,766 zeros and a 7 pasted over the 2: the formula line
// takes the number and the entry line shows 8, so both lines repaint) and once as a number too
// large for a double (the formula line takes the digits and the message box opens: the time
// runs until both have painted, then the box is closed); and a formula of 100,000 characters
// that the program wrote, followed by 1 ＋ 2 (the formula line grows and the entry line shows
// 3). One warm-up click of each, then REPEATS clicks of each; prints one key=value line per
// click for bench/hostile.sh.
// Usage: form1_hostile_figures [REPEATS]
#include "app/tests/gui/form1_window.h"
#include "tests/support/qt/qt_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

class Timing {
  public:
    explicit Timing(gui_test::Form1Window& main) : main_(main) {
        watch_.watch(QCoreApplication::instance());
    }

    // Milliseconds from the click on ＋ until both lines (or the formula line and the message
    // box) have painted, or -1 after 10 s. The look comes from a zero timer, so it runs after
    // the paint event's flush to the screen.
    double clickPlus(bool expectMessage) {
        watch_.paints.clear();
        // Painted: the entry line or a part of the message box, and the formula line.
        auto painted = [&](const std::function<bool(QObject*)>& which) {
            return std::any_of(watch_.paints.begin(), watch_.paints.end(),
                               [&](const auto& paint) { return which(paint.target); });
        };
        auto done = [&] {
            const bool entryOrBox =
                expectMessage ? painted([](QObject* o) {
                    auto* widget = qobject_cast<QWidget*>(o);
                    return widget != nullptr && qobject_cast<QMessageBox*>(widget->window());
                })
                              : painted([&](QObject* o) { return o == main_.line("Text2"); });
            return entryOrBox && painted([&](QObject* o) { return o == main_.line("Text1"); });
        };
        QElapsedTimer clock;
        double elapsed = -1;
        QTimer look;
        look.setInterval(0);
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (elapsed < 0 && done())
                elapsed = double(clock.nsecsElapsed()) / 1e6;
            if (elapsed >= 0 || clock.elapsed() > 10000)
                if (QWidget* box = QApplication::activeModalWidget())
                    QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        });
        look.start();
        clock.start();
        main_.press({u"＋"});
        while (elapsed < 0 && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return elapsed;
    }

    void startAfresh() {
        main_.press({u"CE"});
        engine::Calculator& calculator = main_.form().calculator;
        calculator.ClrMode = engine::PendingClear::None;
        calculator.RenzokuMode = engine::OperatorLock::Off;
        calculator.EnzanKind = engine::Operator::None;
        QTest::qWait(50);
    }

    void settle() { QTest::qWait(100); } // painted and quiet

    void pasteIntoEntryLine(const QString& text) {
        QLineEdit* line = main_.line("Text2");
        QGuiApplication::clipboard()->setText(text);
        line->setFocus();
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        settle();
    }

  private:
    gui_test::Form1Window& main_;
    qt_test::PaintLog watch_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ぽこたま"));
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;

    gui_test::Form1Window main;
    if (!QTest::qWaitForWindowExposed(main.window()))
        return 1;
    QTest::qWait(200);
    Timing timing(main);

    const int full = QLineEdit().maxLength(); // what a user may type into a line
    const QString number = QString(full - 1, u'0') + u'7';
    QString tooLarge;
    for (int i = 0; i < full; ++i)
        tooLarge += QChar(u'1' + i % 9);
    QString formula;
    while (formula.size() < 100000)
        formula += QString::fromUtf16(u"12＋3×4－5÷6=7 ");
    formula.truncate(100000);

    bool sound = true;
    for (int i = 0; i <= repeats; ++i) {
        timing.startAfresh();
        main.press({u"1", u"＋", u"2"});
        timing.pasteIntoEntryLine(number);
        const double numberMs = timing.clickPlus(false);
        sound = sound && main.line("Text2")->text() == QLatin1String("8") &&
                main.line("Text1")->text().size() == full + 3;

        timing.startAfresh();
        timing.pasteIntoEntryLine(tooLarge);
        const double tooLargeMs = timing.clickPlus(true);
        sound = sound && main.line("Text2")->text() == tooLarge;

        timing.startAfresh();
        main.form().Text1.setText(formula.toStdU16String()); // as the program writes it
        main.press({u"1", u"＋", u"2"});
        timing.settle();
        const double formulaMs = timing.clickPlus(false);
        sound = sound && main.line("Text2")->text() == QLatin1String("3") &&
                main.line("Text1")->text() == formula + QString::fromUtf16(u"1＋2＋");
        if (i > 0) // the first of each is the warm-up
            std::printf("plus_full_number_ms=%.2f\nplus_full_too_large_ms=%.2f\n"
                        "plus_long_formula_ms=%.2f\n",
                        numberMs, tooLargeMs, formulaMs);
    }
    std::printf("platform=%s\nsound=%d\n", qPrintable(QGuiApplication::platformName()), sound);
    return sound ? 0 : 1;
}
