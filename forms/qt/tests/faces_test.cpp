// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's two faces on the renderer. The main window: where clicks land, the colours and
// captions it paints at any scale, what it repaints and the display lines. The About window: a
// fixed dialog at its design place without a taskbar button, its picture and its button.
#include "faces/about_face.h"
#include "faces/form1_face.h"
#include "faces/images.h"
#include "forms/qt/fonts.h"
#include "forms/qt/palette_colours.h"
#include "forms/qt/qt_platform.h"
#include "forms/qt/qt_view.h"
#include "forms/qt/text_box_edit.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/qt_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace forms::qt::testing {
namespace {

using qt_test::colourAt;
using qt_test::pixels;

// A form for any face: an element for the window and every shape, text box and timer; it
// notes each click or menu choice by element name.
class RecordingForm final : public Form {
  public:
    explicit RecordingForm(const FaceDesign& face) {
        adopt(std::make_unique<Window>(face.window.name));
        for (const ElementDesign& design : face.elements) {
            const std::string name(design.name);
            if (design.kind == Kind::Shape)
                adopt(std::make_unique<Shape>(name, design.index));
            if (design.kind == Kind::TextBox)
                adopt(std::make_unique<TextBox>(name, design.index));
            if (design.kind == Kind::Timer)
                adopt(std::make_unique<Timer>(name));
            if (design.kind == Kind::Label || design.kind == Kind::Button ||
                design.kind == Kind::MenuItem)
                on(name, design.index, [this, name] { events.push_back(name); });
        }
        applyDesign(face);
    }
    template <typename T> T& element(std::string_view name) {
        return dynamic_cast<T&>(*find(name));
    }
    Window& window() { return *dynamic_cast<Window*>(owned_.front().get()); }

    std::vector<std::string> events;

  private:
    void adopt(std::unique_ptr<Element> element) {
        bind(*element);
        owned_.push_back(std::move(element));
    }
    std::vector<std::unique_ptr<Element>> owned_;
};

// How many pixels of a picture are of this colour, or near it as the edges of text are.
int inked(const QImage& picture, QColor ink) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - ink.red()) + std::abs(qGreen(p) - ink.green()) +
                         std::abs(qBlue(p) - ink.blue()) <
                     96;
        }
    }
    return count;
}

// A face's window built on the renderer for a form that records every click.
class ShownFace : public ::testing::Test {
  protected:
    explicit ShownFace(const FaceDesign& shown) : face(shown) {}
    void show() {
        form.window().setVisible(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    // Every label draws its caption in its colour, in a font of its size that writes Japanese.
    void expectCaptionsDrawn(const QImage& twice) {
        for (const ElementDesign& design : face.elements) {
            if (design.kind != Kind::Label)
                continue;
            const QRect rect = pixels(design.rect);
            const QColor ink = toQColor(design.foreColor);
            auto* label = window->findChild<QWidget*>(QString::fromUtf8(design.name));
            EXPECT_GT(inked(twice.copy(QRect(rect.topLeft() * 2, rect.size() * 2)), ink), 32)
                << design.name;
            // A label that names no font gets the 9-point dialog font of a Japanese Windows.
            const double points = design.font.points > 0 ? design.font.points : 9;
            EXPECT_EQ(label->font().pixelSize(), qRound(points * 96 / 72)) << design.name;
            EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(label->font()).family())
                            .contains(QFontDatabase::Japanese))
                << design.name;
        }
    }

    const FaceDesign& face;
    QtPlatform platform{faces::imageBytes};
    RecordingForm form{face};
    std::unique_ptr<View> view = platform.createView(face, form);
    QWidget* window = dynamic_cast<QtView&>(*view).window();
    QWidget* canvas = window->findChild<QWidget*>("canvas");
};

// A picture of a widget with 2 × 2 device pixels to the logical one.
QImage atScale2(QWidget* widget) {
    QImage twice(widget->size() * 2, QImage::Format_RGB32);
    twice.setDevicePixelRatio(2);
    widget->render(&twice);
    return twice;
}

class Form1Face : public ShownFace {
  protected:
    Form1Face() : ShownFace(faces::form1Face()) {}
    void SetUp() override { show(); }
    QLineEdit* line(const char* name) { return window->findChild<QLineEdit*>(name); }
};

TEST_F(Form1Face, AClickReachesTheLabelUnderThePointerAndNothingElse) {
    auto clicked = [&](QPoint point) {
        form.events.clear();
        qt_test::clickAt(canvas, point);
        return form.events;
    };
    for (const ElementDesign& design : face.elements) {
        const QRect rect = pixels(design.rect);
        if (design.kind == Kind::Label) {
            const std::vector<std::string> own{std::string(design.name)};
            EXPECT_EQ(clicked(rect.center()), own);
            EXPECT_EQ(clicked(rect.bottomLeft() + QPoint(2, -2)), own) << "a corner beside the ink";
        } else if (design.kind == Kind::Shape) {
            // Each edge of a key face or lamp, where no label lies above it.
            const QPoint c = rect.center();
            for (QPoint edge : {QPoint(rect.left() + 2, c.y()), QPoint(rect.right() - 2, c.y()),
                                QPoint(c.x(), rect.top() + 2), QPoint(c.x(), rect.bottom() - 2)}) {
                if (std::none_of(face.elements.begin(), face.elements.end(), [&](const auto& e) {
                        return e.kind != Kind::Shape && pixels(e.rect).contains(edge);
                    })) {
                    EXPECT_TRUE(clicked(edge).empty()) << design.name << " at " << edge.x();
                }
            }
        }
    }
    EXPECT_TRUE(clicked({2, 2}).empty()) << "the bare background";
}

// Each shape and display line shows its colour where no shape lies above it, at 2 × 2 device
// pixels to the logical one too.
TEST_F(Form1Face, PaintsEveryColourAndCaptionAtAnyScale) {
    ASSERT_EQ(canvas->size(),
              pixels({0, 0, face.window.clientWidth, face.window.clientHeight}).size());
    EXPECT_EQ(canvas->y(), window->findChild<QMenuBar*>()->height());
    const QImage pictures[] = {canvas->grab().toImage(), atScale2(canvas)};
    EXPECT_EQ(colourAt(pictures[1], {2, 2}), toQColor(face.window.backColor)) << "background";
    for (auto at = face.elements.begin(); at != face.elements.end(); ++at) {
        if (at->kind != Kind::Shape && at->kind != Kind::TextBox)
            continue;
        const QRect rect = pixels(at->rect);
        const QPoint point(rect.left() + (at->kind == Kind::TextBox ? 10 : 3), rect.center().y());
        if (std::any_of(at + 1, face.elements.end(), [&](const auto& above) {
                return above.kind == Kind::Shape && pixels(above.rect).contains(point);
            }))
            continue;
        for (const QImage& picture : pictures)
            EXPECT_EQ(colourAt(picture, point), toQColor(at->backColor)) << at->name;
    }
    expectCaptionsDrawn(pictures[1]);
    for (const ElementDesign& design : face.elements) {
        if (design.kind == Kind::Menu) {
            auto* menu = window->findChild<QMenu*>(QString::fromUtf8(design.name));
            EXPECT_EQ(menu->font(), faceFont(design.font)) << design.name;
        }
    }
}

// An outlined face has its outline in the outermost pixel of each side and its colour from the
// next pixel in, at the middle of each side, where the corners' rounding does not reach; a
// rounded face leaves its corner pixels to what lies beneath.
TEST_F(Form1Face, OutlinesAreOnePixelOnEverySideAndRoundedCornersAreCut) {
    const QImage picture = canvas->grab().toImage();
    for (const ElementDesign& design : face.elements) {
        if (design.kind != Kind::Shape || !design.outline)
            continue;
        const QRect rect = pixels(design.rect);
        if (design.shape == ShapeStyle::RoundedRectangle) {
            for (QPoint corner : {rect.topLeft(), rect.bottomRight()}) {
                EXPECT_NE(colourAt(picture, corner), toQColor(*design.outline)) << design.name;
                EXPECT_NE(colourAt(picture, corner), toQColor(design.backColor)) << design.name;
            }
        }
        const QPoint c = rect.center();
        const QPoint edges[][2] = {{{rect.left(), c.y()}, {1, 0}},
                                   {{rect.right(), c.y()}, {-1, 0}},
                                   {{c.x(), rect.top()}, {0, 1}},
                                   {{c.x(), rect.bottom()}, {0, -1}}};
        for (const auto& [edge, inward] : edges) {
            EXPECT_EQ(colourAt(picture, edge), toQColor(*design.outline)) << design.name;
            EXPECT_EQ(colourAt(picture, edge + inward), toQColor(design.backColor)) << design.name;
        }
    }
}

TEST_F(Form1Face, AColourChangeRepaintsOnlyItsShapeOncePerTick) {
    QTest::qWait(30);
    qt_test::PaintLog log;
    log.watch(canvas);
    form.element<Shape>("ShapeK1").setBackColor(0x0000FF);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log.paints.empty(); }, 2000));
    QTest::qWait(30);
    ASSERT_EQ(log.paints.size(), 1u);
    EXPECT_EQ(log.paints[0].region.boundingRect(), pixels(qt_test::element(face, "ShapeK1").rect));

    log.paints.clear();
    for (const char* name : {"ShapeK2", "ShapeK3", "ShapeSuuzi1"})
        form.element<Shape>(name).setBackColor(0x000000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log.paints.empty(); }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(log.paints.size(), 1u);
}

TEST_F(Form1Face, SystemColoursFollowAChangeOfColourScheme) {
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    QApplication::setPalette(changed);
    const QRect face2 = pixels(qt_test::element(face, "ShapeSuuzi2").rect);
    EXPECT_EQ(colourAt(canvas->grab().toImage(), face2.topLeft() + QPoint(3, 40)),
              changed.color(QPalette::Base));
    QApplication::setPalette(original);
}

TEST_F(Form1Face, TextGoesBothWaysAndOnlyTheUsersIsCutAtTheLimitWithABeep) {
    QLineEdit* text1 = line("Text1");
    TextBox& element = form.element<TextBox>("Text1");
    QTest::keyClicks(text1, "12+3");
    text1->setCursorPosition(2);
    QTest::keyClicks(text1, "x");
    EXPECT_EQ(element.text(), u"12x+3");

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
    EXPECT_EQ(beeps, 2);
    TextBoxEdit::refusalSound = sound;
}

// Text an input method is composing is not the line's yet: a key clicked meanwhile is refused
// with a beep, and works again once the composition is confirmed.
TEST_F(Form1Face, AKeyIsRefusedWhileALineShowsAnUnconfirmedComposition) {
    static int beeps = 0;
    const auto sound = std::exchange(TextBoxEdit::refusalSound, [] { ++beeps; });
    QLineEdit* text2 = line("Text2");
    text2->setFocus();
    const QRect plus = pixels(qt_test::label(face, u"＋").rect);
    QInputMethodEvent composing(QStringLiteral("１２"), {});
    QApplication::sendEvent(text2, &composing);
    qt_test::clickAt(canvas, plus.center());
    EXPECT_TRUE(form.events.empty());
    EXPECT_EQ(beeps, 1);

    QInputMethodEvent confirmed;
    confirmed.setCommitString(QStringLiteral("１２"));
    QApplication::sendEvent(text2, &confirmed);
    qt_test::clickAt(canvas, plus.center());
    EXPECT_EQ(form.events, std::vector<std::string>{"LabelPura"});
    EXPECT_TRUE(form.element<TextBox>("Text2").text() == u"１２");
    EXPECT_EQ(beeps, 1);
    TextBoxEdit::refusalSound = sound;
}

// To assistive technology a line is editable text, which answers at its cursor for the offset
// that stands for the cursor.
TEST_F(Form1Face, ALineIsEditableTextThatAnswersAtItsCursor) {
    QLineEdit* text2 = line("Text2");
    form.element<TextBox>("Text2").setText(u"123");
    text2->setCursorPosition(1);
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(text2);
    EXPECT_TRUE(described->state().editable);
    EXPECT_TRUE(described->state().selectableText);
    int start = 0;
    int end = 0;
    constexpr int Cursor = -2;
    EXPECT_EQ(
        described->textInterface()->textAtOffset(Cursor, QAccessible::CharBoundary, &start, &end),
        "2");
    text2->selectAll();
    EXPECT_EQ(described->textInterface()->selectionCount(), 1);
    described->textInterface()->removeSelection(0);
    EXPECT_FALSE(text2->hasSelectedText());
}

// Tab selects a line's text once the focus has been announced; a click that comes first places
// the cursor instead, as it would after the selection.
TEST_F(Form1Face, AClickRightAfterTabPlacesTheCursor) {
    QLineEdit* text2 = line("Text2");
    form.element<TextBox>("Text2").setText(u"123");
    text2->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(text2, Qt::LeftButton, {}, QPoint(text2->width() - 4, text2->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_FALSE(text2->hasSelectedText());
}

TEST_F(Form1Face, TextInALineIsDrawnInWhateverFontCanDrawIt) {
    QWidget* text2 = line("Text2");
    form.element<TextBox>("Text2").setText(u"15");
    const QColor ink = toQColor(qt_test::element(face, "Text2").foreColor);
    // The face's font, and one installed nowhere, for which the system's font stands in.
    for (const Font& font : {qt_test::element(face, "Text2").font, Font{u"Nowhere Gothic", 48}}) {
        text2->setFont(faceFont(font));
        EXPECT_GT(inked(text2->grab().toImage(), ink), 100)
            << QFontInfo(text2->font()).family().toStdString();
    }
}

// A view made for a window whose element shows already shows the window at once.
TEST(FaceView, ShowsAWindowWhoseElementShowsAlready) {
    QtPlatform platform{faces::imageBytes};
    RecordingForm form{faces::aboutFace()};
    form.window().setVisible(true);
    const std::unique_ptr<View> view = platform.createView(faces::aboutFace(), form);
    EXPECT_TRUE(dynamic_cast<QtView&>(*view).window()->isVisible());
}

class AboutFace : public ShownFace {
  protected:
    AboutFace() : ShownFace(faces::aboutFace()) {}
};

TEST_F(AboutFace, IsAFixedDialogAtItsDesignPlaceWithoutATaskbarButton) {
    EXPECT_FALSE(window->isVisible()) << "built hidden";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint) << "a thin dialog frame on Windows";
    const QSize client =
        qt_test::pixels({0, 0, face.window.clientWidth, face.window.clientHeight}).size();
    EXPECT_EQ(window->minimumSize(), client);
    EXPECT_EQ(window->maximumSize(), client);
    show();
    const Point place = *face.window.screenPlace;
    EXPECT_EQ(window->geometry().topLeft(),
              QGuiApplication::primaryScreen()->geometry().topLeft() +
                  qt_test::pixels({place.x, place.y, 0, 0}).topLeft());
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
#endif
}

TEST_F(AboutFace, ThePictureSitsSunkenAndOnlyEnterOnTheFocusedButtonPressesIt) {
    auto* picture = window->findChild<QLabel*>("picIcon");
    auto* button = window->findChild<QPushButton*>("CommandVersionToziru");
    ASSERT_TRUE(picture != nullptr && button != nullptr);
    EXPECT_EQ(picture->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(picture->frameWidth(), 2);
    EXPECT_EQ(picture->pixmap().size(), picture->contentsRect().size());
    EXPECT_FALSE(picture->pixmap().isNull());
    expectCaptionsDrawn(atScale2(canvas));

    show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), picture);
    QTest::keyClick(picture, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(picture, Qt::Key_Return);
    EXPECT_TRUE(form.events.empty());
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"CommandVersionToziru", "CommandVersionToziru"}));
    EXPECT_EQ(button->font(), window->findChild<QWidget*>("lblVersion")->font())
        << "the face's font, as every element that names none";
}

// The rule starts at its left end and runs out of the window on the right, one pixel high.
TEST_F(AboutFace, TheRuleRunsFromItsLeftEndPastTheRightEdge) {
    const QImage picture = canvas->grab().toImage();
    const QRect rule = pixels(qt_test::element(face, "Line1", 1).rect);
    const QColor grey = toQColor(qt_test::element(face, "Line1", 1).foreColor);
    const QColor background = toQColor(face.window.backColor);
    EXPECT_EQ(colourAt(picture, rule.topLeft()), grey);
    EXPECT_EQ(colourAt(picture, rule.topLeft() - QPoint(1, 0)), background);
    EXPECT_EQ(colourAt(picture, {picture.width() - 1, rule.top()}), grey);
    EXPECT_EQ(colourAt(picture, rule.topLeft() + QPoint(10, 1)), background);
    EXPECT_EQ(colourAt(picture, rule.topLeft() + QPoint(10, -1)), background);
}

// Closed by its close box, a window shows again when its element asks, as a new one would.
TEST_F(AboutFace, ShowsAgainAfterItsCloseBox) {
    show();
    window->windowHandle()->close();
    EXPECT_FALSE(form.window().visible());
    form.window().setVisible(true);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace forms::qt::testing
