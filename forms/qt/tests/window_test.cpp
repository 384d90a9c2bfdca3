// The fixed dialog, the lifetime of windows and views, and the message box.
#include "forms/qt/qt_platform.h"
#include "forms/qt/qt_view.h"
#include "qt_printers.h"
#include "recording_form.h"
#include "test_faces.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#ifdef FORMS_QT_XCB
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace forms::qt::testing {
namespace {

QWidget* windowOf(const std::unique_ptr<View>& view) {
    return dynamic_cast<QtView&>(*view).window();
}

class Dialog : public ::testing::Test {
  protected:
    QtPlatform platform{testImage};
    RecordingForm form{dialogFace()};
    std::unique_ptr<View> view = platform.createView(dialogFace(), form);
    QWidget* window = windowOf(view);
};

TEST_F(Dialog, IsAFixedWindowAtItsDesignPlaceThatKeepsTheProgramRunning) {
    EXPECT_FALSE(window->isVisible()) << "built hidden";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint) << "a thin dialog frame on Windows";
    EXPECT_TRUE(window->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(window->minimumSize(), QSize(230, 222));
    EXPECT_EQ(window->maximumSize(), QSize(230, 222));

    form.window().setVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QPoint screen = QGuiApplication::primaryScreen()->geometry().topLeft();
    EXPECT_EQ(window->geometry().topLeft(), screen + QPoint(156, 129));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf16(u"ﾀﾞｲｱﾛｸﾞ"));
}

#ifdef FORMS_QT_XCB
// The names of the window's _NET_WM_STATE atoms.
std::vector<std::string> netWmStates(QWidget& window) {
    auto* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto atomOf = [&](const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    };
    auto* property = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()),
                         atomOf("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
        nullptr);
    std::vector<std::string> names;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(property));
    for (int i = 0; i < xcb_get_property_value_length(property) / 4; ++i) {
        auto* name =
            xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, atoms[i]), nullptr);
        names.emplace_back(xcb_get_atom_name_name(name), xcb_get_atom_name_name_length(name));
        std::free(name);
    }
    std::free(property);
    return names;
}
#endif

TEST_F(Dialog, HasNoTaskbarButtonYetIsAnIndependentWindow) {
    form.window().setVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
#ifdef Q_OS_WIN
    // Owned, as a window without a taskbar button is on Windows, but by no window of its program.
    EXPECT_EQ(window->windowType(), Qt::Dialog) << "a tool window has a small title bar";
    const QWindow* owner = window->windowHandle()->transientParent();
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(owner->isVisible());
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        const auto hwnd = reinterpret_cast<HWND>(window->winId());
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), reinterpret_cast<HWND>(owner->winId()));
        EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    }
#else
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        EXPECT_EQ(window->windowType(), Qt::Tool);
        return;
    }
#endif
#ifdef FORMS_QT_XCB
    EXPECT_EQ(window->windowType(), Qt::Window) << "kept above the main window otherwise";
    form.window().setVisible(false);
    form.window().setVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const auto states = netWmStates(*window);
    EXPECT_EQ(std::count(states.begin(), states.end(), "_NET_WM_STATE_SKIP_TASKBAR"), 1);
#endif
}

TEST_F(Dialog, PictureSitsInATwoPixelSunkenBorderAndTheButtonIsNoDefault) {
    auto* picture = window->findChild<QLabel*>("picIcon");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(picture->frameWidth(), 2);
    EXPECT_EQ(picture->contentsRect().size(), QSize(32, 32));
    EXPECT_EQ(picture->pixmap().size(), QSize(32, 32));

    auto* button = window->findChild<QPushButton*>("Close");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
}

TEST_F(Dialog, FocusStartsOnThePictureTabGoesToTheButtonAndOnlyEnterOnItPressesIt) {
    form.window().setVisible(true);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* picture = window->findChild<QLabel*>("picIcon");
    auto* button = window->findChild<QPushButton*>("Close");
    EXPECT_EQ(QApplication::focusWidget(), picture);
    QTest::keyClick(picture, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button);

    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(picture, Qt::Key_Return);
    EXPECT_TRUE(form.events.empty());
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(form.events, (std::vector<std::string>{"Close"}));
}

TEST_F(Dialog, CloseBoxHidesTheElementThenTellsTheFormWhichMayDestroyTheView) {
    form.window().setVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QPointer<QWidget> watched = window;
    form.onClosed = [&] { view.reset(); };
    window->windowHandle()->close(); // as the window system's close box does
    EXPECT_FALSE(form.window().visible());
    EXPECT_EQ(form.closedCount, 0) << "not from inside the close event";
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.closedCount == 1; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
}

TEST_F(Dialog, AViewDestroyedByItsOwnButtonGoesSafely) {
    form.window().setVisible(true);
    QPointer<QWidget> watched = window;
    form.onEvent = [&](const std::string&) { view.reset(); };
    QTest::mouseClick(window->findChild<QPushButton*>("Close"), Qt::LeftButton);
    EXPECT_EQ(view, nullptr);
    EXPECT_FALSE(watched.isNull()) << "deleted later, not under the button's feet";
    EXPECT_FALSE(watched->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    form.window().setVisible(true); // no window follows the element any more
}

// Runs the event loop around `step` and tells how it ended: 0 when the program quit by
// itself, 7 when it was still running a little later.
int runAround(const std::function<void()>& step) {
    // Gone with this run: left to fire later, outside any event loop, exit() would make the
    // next modal loop of another test return at once.
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    stillRunning.start(500);
    QTimer::singleShot(0, step);
    return QApplication::exec();
}

// Both windows of a program shown, the main one about to be closed by the user.
class Lifetime : public ::testing::Test {
  protected:
    Lifetime() {
        main.window().setVisible(true);
        dialog.window().setVisible(true);
    }
    // Closes the main window as its close box does; tells how the event loop ended.
    int closeMainWindow() {
        return runAround([&] { windowOf(mainView)->windowHandle()->close(); });
    }

    QtPlatform platform{testImage};
    RecordingForm main{mainFace()};
    RecordingForm dialog{dialogFace()};
    std::unique_ptr<View> mainView = platform.createView(mainFace(), main);
    std::unique_ptr<View> dialogView = platform.createView(dialogFace(), dialog);
};

TEST_F(Lifetime, ClosingTheMainWindowLeavesAVisibleDialogAndTheProgramRunning) {
    EXPECT_EQ(closeMainWindow(), 7);
    EXPECT_FALSE(main.window().visible());
    EXPECT_TRUE(windowOf(dialogView)->isVisible());
}

TEST_F(Lifetime, ClosingTheMainWindowWithTheDialogHiddenEndsTheProgram) {
    dialog.window().setVisible(false);
    EXPECT_EQ(closeMainWindow(), 0);
    EXPECT_EQ(dialog.closedCount, 0) << "the program's end is no close by the user";
}

TEST(MessageBoxTest, IsModalWithOnlyOkNoIconAndTheApplicationsName) {
    QtPlatform platform;
    QMessageBox* seen = nullptr;
    QList<QAbstractButton*> buttons;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (seen == nullptr)
            return;
        buttons = seen->buttons();
        EXPECT_EQ(seen->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(seen->windowTitle(), QString::fromUtf16(u"ぽこたま"));
        EXPECT_EQ(seen->text(), QString::fromUtf16(u"0でわれないよ"));
        seen->button(QMessageBox::Ok)->click();
    });
    platform.messageBox().show(u"0でわれないよ");
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(buttons.size(), 1);
}

} // namespace
} // namespace forms::qt::testing
