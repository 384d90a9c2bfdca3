// The keys through the real window: every click lands on its own key's handler, dead strips
// and bare places do nothing, typed text is what the keys read, and dividing by zero says so.
#include "face_points.h"
#include "main_window.h"
#include "printers.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace gui_test {
namespace {

class Keys : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }

    // Nothing pending, operator lock off, formula "4", entry "12": every key leaves its own mark.
    void setKnownState() { main.startCalculation(u"4", u"12"); }
    QString text(const char* line) const { return main.line(line)->text(); }

    MainWindow main;
};

TEST_F(Keys, AClickAnywhereOnALabelReachesThatKeysHandlerOnly) {
    struct Row {
        std::u16string_view caption;
        std::u16string_view text1, text2;
    };
    const Row rows[] = {
        {u"0", u"4", u"120"},     {u"1", u"4", u"121"},      {u"2", u"4", u"122"},
        {u"3", u"4", u"123"},     {u"4", u"4", u"124"},      {u"5", u"4", u"125"},
        {u"6", u"4", u"126"},     {u"7", u"4", u"127"},      {u"8", u"4", u"128"},
        {u"9", u"4", u"129"},     {u".", u"4", u"12."},      {u"+/-", u"4", u"12-"},
        {u"＋", u"412＋", u"12"}, {u"－", u"412－", u"12"},  {u"×", u"412×", u"12"},
        {u"÷", u"412÷", u"12"},   {u"＝", u"412=12", u"12"}, {u"C", u"4", u""},
        {u"CE", u"", u""},
    };
    ASSERT_EQ(std::size(rows), form1Keys().size());
    for (const Row& row : rows) {
        const QRect label = pixels(form1Key(row.caption).label->rect);
        // The centre, and a corner of the label where the face shows around the caption.
        for (const QPoint point : {label.center(), label.bottomLeft() + QPoint(3, -3)}) {
            SCOPED_TRACE(QString::fromStdU16String(std::u16string(row.caption)).toStdString() +
                         " at " + std::to_string(point.x()) + "," + std::to_string(point.y()));
            setKnownState();
            clickAt(main.client(), point);
            EXPECT_EQ(text("Text1"), QString::fromStdU16String(std::u16string(row.text1)));
            EXPECT_EQ(text("Text2"), QString::fromStdU16String(std::u16string(row.text2)));
        }
    }
}

TEST_F(Keys, DeadStripsLampsAndBareBackgroundTakeNoClick) {
    std::vector<std::pair<std::string, QPoint>> places;
    for (const KeyDesign& key : form1Keys()) {
        for (const forms::Rect& strip : deadStrips(key)) {
            EXPECT_EQ(std::min(strip.width, strip.height), 120) << key.label->name;
            places.emplace_back("strip of " + std::string(key.label->name), pixels(strip).center());
        }
    }
    ASSERT_EQ(places.size(), 6u) << "7: both sides; 1: bottom; +/-, CE, C: top";
    places.emplace_back("lamp ShapeK1", lampCentre(1));
    places.emplace_back("lamp ShapeK30", lampCentre(30));
    places.emplace_back("bare background", bareBackground());

    for (const auto& [where, point] : places) {
        setKnownState();
        clickAt(main.client(), point);
        EXPECT_EQ(text("Text1"), "4") << where;
        EXPECT_EQ(text("Text2"), "12") << where;
    }
}

TEST_F(Keys, AKeyedCalculationShowsInBothLinesAndTheFocusStaysInTheFormulaLine) {
    EXPECT_EQ(main.window()->focusWidget(), main.line("Text1"));
    EXPECT_EQ(text("Text1"), "");
    EXPECT_EQ(text("Text2"), "");
    main.press({u"1", u"2", u"＋", u"3", u"＝"});
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"12＋3=15"));
    EXPECT_EQ(text("Text2"), "15");
    EXPECT_EQ(main.window()->focusWidget(), main.line("Text1")) << "keys take no focus";
}

TEST_F(Keys, TextTypedIntoTheEntryLineIsWhatTheNextKeyReads) {
    // Typed over the entry after an operator key. Typing is no key: the operator lock stays
    // on, and ＝, which ignores the lock, is the next key that reads.
    main.press({u"1", u"2", u"＋"});
    QTest::keyClick(main.line("Text2"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(main.line("Text2"), "7");
    main.press(u"＝");
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"12＋7=19"));
    EXPECT_EQ(text("Text2"), "19");

    // An edited number: a digit typed in front of the keyed ones, in a fresh calculation.
    main.press({u"1", u"2"});
    QTest::keyClick(main.line("Text2"), Qt::Key_Home);
    QTest::keyClicks(main.line("Text2"), "3");
    main.press({u"－", u"2", u"＝"});
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"312－2=310"));
    EXPECT_EQ(text("Text2"), "310");
}

TEST_F(Keys, DivisionByZeroShowsTheMessageBoxWithOnlyOk) {
    QString boxText, boxTitle;
    qsizetype buttons = -1;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        boxText = box->text();
        boxTitle = box->windowTitle();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    watcher.start(10);
    main.press({u"8", u"÷", u"0", u"＝"});
    watcher.stop();

    EXPECT_EQ(boxText, QString::fromUtf16(u"0でわれないよ"));
    EXPECT_EQ(boxTitle, QString::fromUtf16(u"ぽこたま"));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"8÷0=0"));
    EXPECT_EQ(text("Text2"), "0");
}

} // namespace
} // namespace gui_test
