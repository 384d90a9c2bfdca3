// How long the real Form1 takes to show a megabyte of digits pasted into its entry line, and
// from a click on ＋ (which copies the entry into the formula line) until both display lines
// have been repainted. Prints the figures; asserts only that the texts arrived.
#include "app/form1.h"
#include "forms/qt/qt_platform.h"
#include "windows/images.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

QByteArray programImage(std::string_view name) {
    const auto bytes = windows::imageBytes(name);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// Notes which of the watched widgets have received a paint event since the last reset.
struct PaintWatch : QObject {
    std::set<QObject*> painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

class PasteTiming : public ::testing::Test {
  protected:
    void SetUp() override {
        form.start();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == "Form1")
                window = top;
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        text1 = window->findChild<QWidget*>("Text1");
        text2 = window->findChild<QWidget*>("Text2");
        ASSERT_TRUE(text1 && text2);
        text1->installEventFilter(&watch);
        text2->installEventFilter(&watch);
        QTest::qWait(50);
    }

    // Runs `action` and returns the milliseconds until every widget in `lines` has painted.
    // Paints that happen inside a message box's event loop count; the box is then closed.
    double timeUntilPainted(const std::function<void()>& action,
                            std::initializer_list<QWidget*> lines) {
        watch.painted.clear();
        QElapsedTimer clock;
        double elapsed = -1;
        auto allPainted = [&] {
            for (QWidget* line : lines)
                if (!watch.painted.contains(line))
                    return false;
            return true;
        };
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (elapsed < 0 && allPainted())
                elapsed = double(clock.nsecsElapsed()) / 1e6;
            if (elapsed >= 0)
                if (QWidget* box = QApplication::activeModalWidget())
                    QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        });
        poll.start();
        clock.start();
        action();
        while (elapsed < 0 && clock.elapsed() < 20000)
            QCoreApplication::processEvents();
        return elapsed;
    }

    void pasteIntoEntryLine(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        text2->setFocus();
        const double ms = timeUntilPainted(
            [&] { QTest::keyClick(text2, Qt::Key_V, Qt::ControlModifier); }, {text2});
        std::printf("[ figures  ] paste %lld characters into Text2 until repainted: %.1f ms\n",
                    static_cast<long long>(text.size()), ms);
    }

    // Clicks ＋ and times it until `lines` have repainted.
    double clickPlus(std::initializer_list<QWidget*> lines) {
        // The ＋ key's label, 5760, 3360, 1215 x 1095 twips, at 15 twips a pixel.
        const QPoint centre((5760 + 607) / 15, (3360 + 547) / 15);
        QWidget* client = text1->parentWidget();
        QWidget* label = client->childAt(centre);
        return timeUntilPainted(
            [&] { QTest::mouseClick(label, Qt::LeftButton, {}, label->mapFrom(client, centre)); },
            lines);
    }

    forms::qt::QtPlatform platform{programImage};
    Form1 form{platform};
    QWidget* window = nullptr;
    QWidget* text1 = nullptr;
    QWidget* text2 = nullptr;
    PaintWatch watch;
};

TEST_F(PasteTiming, AMegabyteOfDigitsThenPlus) {
    QString digits;
    for (int i = 0; i < 1000000; ++i)
        digits += QChar(u'1' + i % 9);
    pasteIntoEntryLine(digits);
    ASSERT_EQ(form.Text2.text().size(), 1000000u);
    // Far too large a number: the calculator says so in a message box, which is closed here.
    // Text1 takes the digits; Text2 gives the focus to the box.
    const double ms = clickPlus({text1, text2});
    EXPECT_EQ(form.Text1.text().size(), 1000001u); // the digits and "＋"
    std::printf("[ figures  ] click on ＋ until both lines repainted (number too large, message "
                "box): %.1f ms\n",
                ms);
}

TEST_F(PasteTiming, AMegabyteOfLeadingZerosThenPlus) {
    const QString number = QString(999999, u'0') + u'7';
    pasteIntoEntryLine(number);
    // Text1 takes the number; Text2 keeps its text, so only Text1 has something to repaint.
    const double ms = clickPlus({text1});
    EXPECT_EQ(form.Text1.text().size(), 1000001u); // the number and "＋"
    std::printf("[ figures  ] click on ＋ until Text1 repainted (a number, no message box): "
                "%.1f ms\n",
                ms);
}

} // namespace
