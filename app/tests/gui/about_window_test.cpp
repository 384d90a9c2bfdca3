// The About window's life through the real renderer: one window however often it is asked
// for, hidden by its button and shown again where it was, made anew at its design place after
// its close box, and modeless.
#include "face_points.h"
#include "faces/about_face.h"
#include "main_window.h"
#include "printers.h"

#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace gui_test {
namespace {

class AboutWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }

    // Chooses the menu item バージョン and gives the About window it shows.
    QWidget* chooseVersion() {
        main.menuItem("Version")->trigger();
        const QList<QWidget*> shown = visibleWindows(QStringLiteral("frmAbout"));
        return shown.size() == 1 ? shown.front() : nullptr;
    }
    static QPoint designPlace() {
        const forms::Point place = *faces::aboutFace().window.screenPlace;
        return QGuiApplication::primaryScreen()->geometry().topLeft() +
               pixels({place.x, place.y, 0, 0}).topLeft();
    }

    MainWindow main;
};

TEST_F(AboutWindow, TheMenuItemTwiceShowsOneAboutWindowAndItsButtonHidesIt) {
    const QString title = QString::fromUtf16(u"ﾊﾞｰｼﾞｮﾝ情報");
    auto* item = main.menuItem("Version");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QString::fromUtf16(u"バージョン"));
    QPointer<QWidget> about = chooseVersion();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), title);
    const forms::WindowDesign& design = faces::aboutFace().window;
    EXPECT_EQ(about->size(), pixels({0, 0, design.clientWidth, design.clientHeight}).size());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(chooseVersion(), about.data()) << "the same window again, and only one";

    QTest::mouseClick(about->findChild<QPushButton*>("CommandVersionToziru"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(visibleWindows(QStringLiteral("frmAbout")).empty());
    EXPECT_NE(main.form().about(), nullptr) << "hidden, not gone";
    EXPECT_EQ(chooseVersion(), about.data());
}

TEST_F(AboutWindow, HiddenAndShownAgainItKeepsThePlaceItWasMovedTo) {
    QWidget* about = chooseVersion();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    const QPoint moved = designPlace() + QPoint(211, 97);
    about->move(moved);
    if (!QTest::qWaitFor([&] { return about->pos() == moved; }, 2000))
        GTEST_SKIP() << "this platform does not place windows";

    QTest::mouseClick(about->findChild<QPushButton*>("CommandVersionToziru"), Qt::LeftButton);
    ASSERT_EQ(chooseVersion(), about);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    QTest::qWait(100); // let a window system that would move it do so
    EXPECT_EQ(about->pos(), moved);
}

TEST_F(AboutWindow, AfterItsCloseBoxItComesBackAtItsDesignPlace) {
    QPointer<QWidget> about = chooseVersion();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(about->geometry().topLeft(), designPlace()) << "the client area's corner";
    about->move(designPlace() + QPoint(211, 97));
    QTest::qWait(50);

    about->windowHandle()->close(); // as its close box does
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.form().about() == nullptr; }, 2000));
    QWidget* again = chooseVersion();
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(again));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return again->geometry().topLeft() == designPlace(); }, 2000));
    EXPECT_EQ(again->geometry().topLeft(), designPlace());
}

TEST_F(AboutWindow, TheKeysWorkWhileItIsOpen) {
    QWidget* about = chooseVersion();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_FALSE(about->isModal());
    main.press({u"1", u"2", u"＋", u"3", u"＝"});
    EXPECT_EQ(main.line("Text1")->text(), QString::fromUtf16(u"12＋3=15"));
    EXPECT_TRUE(about->isVisible());
}

} // namespace
} // namespace gui_test
