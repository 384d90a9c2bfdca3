// The main window of a face: clicks, typing, colours, geometry, repaints and timers.
#include "forms/qt/fonts.h"
#include "forms/qt/qt_platform.h"
#include "forms/qt/qt_view.h"
#include "forms/qt/text_box_edit.h"
#include "qt_printers.h"
#include "recording_form.h"
#include "test_faces.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace forms::qt::testing {
namespace {

QPoint px(int xTwips, int yTwips) {
    return {xTwips / 15, yTwips / 15};
}

bool waitUntil(const std::function<bool()>& done, int milliseconds = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QTest::qWait(5);
    return done();
}

QColor pixel(QWidget* widget, QPoint logical) {
    const QImage image = widget->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    return image.pixelColor(qRound((logical.x() + 0.5) * scale - 0.5),
                            qRound((logical.y() + 0.5) * scale - 0.5));
}

// Records the regions of the paint events a widget receives.
struct PaintSpy : QObject {
    std::vector<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

class MainFace : public ::testing::Test {
  protected:
    void SetUp() override {
        form.window().setVisible(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    QLineEdit* line(const char* name) { return window->findChild<QLineEdit*>(name); }
    void clickAt(QPoint point) {
        QWidget* target = canvas->childAt(point);
        if (target == nullptr)
            target = canvas;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(canvas, point));
    }
    // Lets pending repaints happen, then watches the canvas's paint events afresh.
    void watchPaints() {
        QTest::qWait(30);
        canvas->installEventFilter(&spy);
        spy.regions.clear();
    }

    QtPlatform platform{testImage};
    RecordingForm form{mainFace()};
    std::unique_ptr<View> view = platform.createView(mainFace(), form);
    QWidget* window = dynamic_cast<QtView&>(*view).window();
    QWidget* canvas = window->findChild<QWidget*>("canvas");
    PaintSpy spy;
};

TEST_F(MainFace, AClickReachesOnlyTheLabelUnderThePointer) {
    struct Row {
        const char* where;
        QPoint point;
        std::vector<std::string> events;
    };
    const Row rows[] = {
        {"centre of a key label", px(1440 + 487, 3360 + 547), {"LabelA"}},
        {"transparent corner of a key label", px(1440 + 30, 3360 + 1050), {"LabelA"}},
        {"dead strip beside a label", px(1320 + 60, 3900), {}},
        {"dead strip above a label", px(2640 + 600, 3360 + 60), {}},
        {"indexed label 0", px(2640 + 600, 3480 + 487), {"Key(0)"}},
        {"indexed label 1", px(3960 + 600, 3360 + 547), {"Key(1)"}},
        {"a lamp", px(240 + 300, 2520 + 240), {}},
        {"bare background", px(6000, 8000), {}},
    };
    for (const Row& row : rows) {
        form.events.clear();
        clickAt(row.point);
        EXPECT_EQ(form.events, row.events) << row.where;
    }
}

TEST_F(MainFace, BothPressesOfADoubleClickAreClicksButADraggedOffPressIsNot) {
    const QPoint centre = px(1440 + 487, 3360 + 547);
    QWidget* label = canvas->childAt(centre);
    const QPoint at = label->mapFrom(canvas, centre);
    // What a window system delivers: press, release, double click (the second press), release.
    QTest::mouseClick(label, Qt::LeftButton, {}, at);
    QTest::mouseDClick(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
    EXPECT_EQ(form.events, (std::vector<std::string>{"LabelA", "LabelA"}));

    form.events.clear();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-5, 5));
    EXPECT_TRUE(form.events.empty());
}

TEST_F(MainFace, TextGoesBothWaysAndOnlyTheUsersIsCutAtTheLimitWithABeep) {
    QLineEdit* text1 = line("Text1");
    TextBox& element = form.element<TextBox>("Text1");
    QTest::keyClicks(text1, "12+3");
    EXPECT_EQ(element.text(), u"12+3");
    text1->setCursorPosition(2);
    QTest::keyClicks(text1, "x");
    EXPECT_EQ(element.text(), u"12x+3");
    EXPECT_EQ(text1->cursorPosition(), 3);

    static int beeps = 0;
    const auto sound = std::exchange(TextBoxEdit::refusalSound, [] { ++beeps; });
    const int limit = QLineEdit().maxLength();
    // The program's text is never cut; a line that holds more refuses a typed character.
    const std::u16string programs(limit + 10, u'9');
    element.setText(programs);
    EXPECT_EQ(text1->text().size(), programs.size());
    QTest::keyClicks(text1, "8");
    EXPECT_TRUE(element.text() == programs);
    EXPECT_EQ(beeps, 1);
    // With a short text again, a paste is cut at the limit and the element gets what is kept.
    element.setText(u"1");
    QGuiApplication::clipboard()->setText(QString(limit + 10, u'7'));
    text1->selectAll();
    text1->paste();
    EXPECT_TRUE(element.text() == std::u16string(limit, u'7'));
    EXPECT_EQ(text1->text().size(), limit);
    EXPECT_EQ(beeps, 2);
    TextBoxEdit::refusalSound = sound;
}

TEST_F(MainFace, TextInALineIsDrawnInWhateverFontCanDrawIt) {
    QWidget* text2 = line("Text2");
    form.element<TextBox>("Text2").setText(u"15");
    // The face's font, and one installed nowhere, for which the system's font stands in.
    for (const Font& font : {Font{u"HG丸ｺﾞｼｯｸM-PRO", 48}, Font{u"Nowhere Gothic", 48}}) {
        text2->setFont(faceFont(font));
        const QImage image = text2->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int inked = 0; // pixels in the text's colour
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) == qRgb(0, 128, 0);
        EXPECT_GT(inked, 100) << QFontInfo(text2->font()).family().toStdString();
    }
}

TEST_F(MainFace, PaintsShapesInStackingOrderWithTheirColours) {
    const QColor base = QApplication::palette().color(QPalette::Base);
    struct Row {
        const char* where;
        QPoint point;
        QColor colour;
    };
    const Row rows[] = {
        {"lamp", px(240 + 300, 2520 + 240), QColor(0, 255, 0)},
        {"overlap, the later lamp on top", px(840, 2520 + 240), QColor(0, 0, 255)},
        {"key face beside its label", px(1320 + 60, 3900), QColor(255, 255, 0)},
        {"outline of a key face", px(1320, 3900), QColor(0, 0, 0)},
        {"rounded corner shows the background", px(1320, 3360), QColor(255, 128, 128)},
        {"face in a system colour", px(2640 + 100, 3360 + 1000), base},
        {"window background", px(6000, 8000), QColor(255, 128, 128)},
        {"entry line", px(240 + 200, 360 + 487), QColor(255, 128, 0)},
        {"formula line", px(240 + 200, 1560 + 367), QColor(255, 255, 0)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(pixel(canvas, row.point), row.colour) << row.where;

    form.element<TextBox>("Text2").setBackColor(0x0000FF);
    EXPECT_EQ(pixel(canvas, px(240 + 200, 360 + 487)), QColor(255, 0, 0));
}

TEST_F(MainFace, ClientAreaIsTheDesignSizeBelowTheMenuBarAndGrowsWithoutMoving) {
    const QMenuBar* menuBar = window->findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(canvas->size(), QSize(707, 597));
    EXPECT_EQ(canvas->y(), menuBar->height());
    const qreal scale = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1;
    EXPECT_EQ(canvas->devicePixelRatioF(), scale);
    EXPECT_EQ(canvas->grab().toImage().size(), QSize(707, 597) * scale);

    const QRect labelBefore = canvas->childAt(px(1927, 3907))->geometry();
    window->resize(800, 700);
    ASSERT_TRUE(waitUntil([&] { return canvas->width() == 800; }));
    EXPECT_EQ(canvas->childAt(px(1927, 3907))->geometry(), labelBefore);
    EXPECT_EQ(pixel(canvas, {790, 650}), QColor(255, 128, 128));
}

TEST_F(MainFace, AColourChangeRepaintsOnlyItsShapeAndAnEqualOneNothing) {
    watchPaints();
    form.element<Shape>("LampB").setBackColor(0x0000FF);
    ASSERT_TRUE(waitUntil([&] { return !spy.regions.empty(); }));
    QTest::qWait(30);
    ASSERT_EQ(spy.regions.size(), 1u);
    EXPECT_EQ(spy.regions[0].boundingRect(), QRect(16, 168, 41, 33));

    spy.regions.clear();
    form.element<Shape>("LampB").setBackColor(0x0000FF);
    QTest::qWait(50);
    EXPECT_TRUE(spy.regions.empty());

    form.element<Shape>("LampB").setBackColor(0x00FF00);
    form.element<Shape>("LampC").setBackColor(0x00FF00);
    form.element<Shape>("FaceE").setBackColor(0x000000);
    ASSERT_TRUE(waitUntil([&] { return !spy.regions.empty(); }));
    QTest::qWait(30);
    EXPECT_EQ(spy.regions.size(), 1u) << "one paint for a tick's worth of changes";
}

TEST_F(MainFace, SystemColoursFollowAChangeOfColourScheme) {
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    watchPaints();
    QApplication::setPalette(changed);
    EXPECT_TRUE(waitUntil([&] { return !spy.regions.empty(); }));
    EXPECT_EQ(pixel(canvas, px(2640 + 100, 3360 + 1000)), QColor(10, 20, 30));
    QApplication::setPalette(original);
}

TEST_F(MainFace, TimersTickWhileTheirIntervalIsAboveZero) {
    auto ticks = [&](const std::string& name) { return form.ticks[name]; };
    EXPECT_TRUE(waitUntil([&] { return ticks("Timer2") >= 2; }));
    form.element<Timer>("Timer2").setInterval(0);
    const auto stopped = ticks("Timer2");
    QTest::qWait(120);
    EXPECT_EQ(ticks("Timer2"), stopped);
    EXPECT_EQ(ticks("Timer1"), 0);

    form.element<Timer>("Timer1").setInterval(20);
    EXPECT_TRUE(waitUntil([&] { return ticks("Timer1") >= 2; }));
}

TEST_F(MainFace, MenuItemRunsItsHandlerAndShowsAmpersandsAsTheyAre) {
    auto* item = window->findChild<QAction*>("Item");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QString::fromUtf16(u"項目&&1"));
    item->trigger();
    EXPECT_EQ(form.events, (std::vector<std::string>{"Item(1)"}));
}

TEST_F(MainFace, FocusStartsAtTheFirstTabStopAndOnlyTextBoxesTakeIt) {
    EXPECT_EQ(window->focusWidget(), line("Text1"));
    for (QWidget* child : canvas->findChildren<QWidget*>()) {
        const bool takesFocus = child->focusPolicy() != Qt::NoFocus;
        EXPECT_EQ(takesFocus, qobject_cast<QLineEdit*>(child) != nullptr)
            << child->objectName().toStdString();
    }
    form.element<TextBox>("Text2").setText(u"456");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(line("Text1"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), line("Text2"));
    // The keyboard's focus selects the line's text, at the latest before the next key.
    QTest::keyClicks(line("Text2"), "7");
    EXPECT_EQ(form.element<TextBox>("Text2").text(), u"7");
}

} // namespace
} // namespace forms::qt::testing
