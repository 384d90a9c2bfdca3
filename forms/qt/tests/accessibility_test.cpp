// What assistive technology sees of a face: keys, display lines, the dialog and the message box.
#include "forms/qt/key_label.h"
#include "forms/qt/qt_platform.h"
#include "forms/qt/qt_view.h"
#include "qt_printers.h"
#include "recording_form.h"
#include "test_faces.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <tuple>
#include <utility>

namespace forms::qt::testing {
namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QStringList childNames(QAccessibleInterface* parent) {
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
}

class Accessibility : public ::testing::Test {
  protected:
    void show(const FaceDesign& face) {
        form = std::make_unique<RecordingForm>(face);
        view = platform.createView(face, *form);
        window = dynamic_cast<QtView&>(*view).window();
        canvas = window->findChild<QWidget*>("canvas");
        form->window().setVisible(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    KeyLabel* label(const char* name, int index = -1) {
        for (auto* label : window->findChildren<KeyLabel*>(name)) {
            if (label->property("index").toInt() == index)
                return label;
        }
        return nullptr;
    }
    // Edits a display line as an assistive technology does, and returns the element's text.
    std::u16string edit(const char* name, const std::function<void(QAccessibleInterface*)>& how) {
        how(accessible(window->findChild<QWidget*>(name)));
        return form->element<TextBox>(name).text();
    }

    QtPlatform platform{testImage};
    std::unique_ptr<RecordingForm> form;
    std::unique_ptr<View> view;
    QWidget* window = nullptr;
    QWidget* canvas = nullptr;
};

TEST_F(Accessibility, KeysArePushButtonsThatClickOncePerPressWithoutTakingFocus) {
    show(mainFace());
    // The description names the keyboard's keys that click the key.
    for (const auto& [name, index, caption, description] :
         {std::tuple{"LabelA", -1, u"7", u"テンキーの7"}, std::tuple{"Key", 0, u"C", u""},
          std::tuple{"Key", 1, u"＋", u"テンキーのプラス、Enter"}}) {
        QAccessibleInterface* key = accessible(label(name, index));
        ASSERT_NE(key, nullptr) << name;
        EXPECT_EQ(key->role(), QAccessible::Button) << name;
        EXPECT_EQ(key->text(QAccessible::Name), QString::fromUtf16(caption)) << name;
        EXPECT_EQ(key->text(QAccessible::Description), QString::fromUtf16(description)) << name;
        EXPECT_EQ(key->actionInterface()->actionNames(),
                  QStringList{QAccessibleActionInterface::pressAction()});
        EXPECT_FALSE(key->state().focusable) << name;
    }

    // Two quick presses of one key are two clicks; each runs from the event loop, afterwards.
    const QString press = QAccessibleActionInterface::pressAction();
    accessible(label("LabelA"))->actionInterface()->doAction(press);
    accessible(label("LabelA"))->actionInterface()->doAction(press);
    accessible(label("Key", 1))->actionInterface()->doAction(press);
    accessible(label("Key", 1))->actionInterface()->doAction(QStringLiteral("Toggle"));
    EXPECT_TRUE(form->events.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->events, (std::vector<std::string>{"LabelA", "LabelA", "Key(1)"}));
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>("Text1"));
}

TEST_F(Accessibility, ShapesAreNotInTheTreeAndTheWindowIsAWindow) {
    show(mainFace());
    QAccessibleInterface* top = accessible(window);
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_EQ(top->text(QAccessible::Name), QStringLiteral("テスト"));
    QAccessibleInterface* client = accessible(canvas);
    EXPECT_EQ(client->role(), QAccessible::Client);
    EXPECT_TRUE(client->text(QAccessible::Name).isEmpty());
    // Three keys and two display lines; the five shapes are painted, not children.
    EXPECT_EQ(childNames(client).size(), 5) << childNames(client).join(u',').toStdString();
}

TEST_F(Accessibility, DisplayLinesAreEditableTextThatReachesTheElement) {
    show(mainFace());
    QAccessibleInterface* line = accessible(window->findChild<QWidget*>("Text2"));
    EXPECT_EQ(line->role(), QAccessible::EditableText);
    ASSERT_NE(line->editableTextInterface(), nullptr);

    struct Row {
        const char* what;
        std::function<void(QAccessibleInterface*)> how;
        std::u16string text;
    };
    const Row rows[] = {
        {"set", [](auto* a) { a->editableTextInterface()->replaceText(0, 0, "12"); }, u"12"},
        {"insert", [](auto* a) { a->editableTextInterface()->insertText(2, "＋3"); }, u"12＋3"},
        {"delete", [](auto* a) { a->editableTextInterface()->deleteText(0, 2); }, u"＋3"},
        {"value", [](auto* a) { a->setText(QAccessible::Value, "7"); }, u"7"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(edit("Text2", row.how), row.text) << row.what;

    form->element<TextBox>("Text2").setText(u"15");
    EXPECT_EQ(line->textInterface()->text(0, line->textInterface()->characterCount()), "15");
}

// Two faults of Qt's own line edits that a screen reader meets: text attributes as an empty
// run at the offset asked, and a word or sentence look-up at the end of the text that never
// returns. A look-up runs on a thread of its own so that one that hangs fails the test instead;
// its thread is left behind, spinning on a copy of the text.
TEST_F(Accessibility, DisplayLinesGiveOneAttributeRunAndAnswerLookUpsAtTheEnd) {
    show(mainFace());
    form->element<TextBox>("Text1").setText(u"9×3=27");
    QAccessibleTextInterface* text =
        accessible(window->findChild<QWidget*>("Text1"))->textInterface();
    int start = -1;
    int end = -1;
    text->attributes(5, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 6));

    struct Row {
        QAccessible::TextBoundaryType boundary;
        int offset; // -1 and -2 (the cursor, at the end after a program's text) mean the end
        QString found;
        int start;
    };
    for (const Row& row :
         {Row{QAccessible::WordBoundary, 6, "27", 4}, Row{QAccessible::WordBoundary, -1, "27", 4},
          Row{QAccessible::SentenceBoundary, -2, QString::fromUtf16(u"9×3=27"), 0}}) {
        SCOPED_TRACE(row.offset);
        auto answer = std::make_shared<std::promise<std::tuple<QString, int, int>>>();
        std::future<std::tuple<QString, int, int>> answered = answer->get_future();
        std::thread([=] {
            int at = -1;
            int to = -1;
            const QString found = text->textAtOffset(row.offset, row.boundary, &at, &to);
            answer->set_value({found, at, to});
        }).detach();
        ASSERT_TRUE(answered.wait_for(std::chrono::seconds(2)) == std::future_status::ready)
            << "the look-up does not return";
        EXPECT_EQ(answered.get(), std::tuple(row.found, row.start, 6));
    }
}

TEST_F(Accessibility, ALabelThatRunsNoHandlerIsPlainTextAndTheButtonAButton) {
    show(dialogFace());
    KeyLabel* title = label("Title");
    title->setPressable(false);
    QAccessibleInterface* text = accessible(title);
    EXPECT_EQ(text->role(), QAccessible::StaticText);
    EXPECT_EQ(text->text(QAccessible::Name), QStringLiteral("ぽこたま"));
    EXPECT_TRUE(text->actionInterface()->actionNames().isEmpty());
    text->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->events.empty());

    QAccessibleInterface* client = accessible(canvas);
    const qsizetype button = childNames(client).indexOf(QStringLiteral("閉じる"));
    ASSERT_GE(button, 0) << childNames(client).join(u',').toStdString();
    EXPECT_EQ(client->child(static_cast<int>(button))->role(), QAccessible::Button);
}

TEST_F(Accessibility, MessageBoxesAreAlerts) {
    for (const QString& message :
         {QStringLiteral("0でわれないよ"), QStringLiteral("おおきすぎるよ")}) {
        QAccessible::Role role = QAccessible::NoRole;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            for (auto* box : QApplication::topLevelWidgets()) {
                if (qobject_cast<QMessageBox*>(box) == nullptr || !box->isVisible())
                    continue;
                role = accessible(box)->role();
                texts = childNames(accessible(box));
                QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
            }
        });
        platform.messageBox().show(message.toStdU16String());
        EXPECT_EQ(role, QAccessible::AlertMessage);
        EXPECT_TRUE(texts.contains(message)) << texts.join(u',').toStdString();
    }
}

} // namespace
} // namespace forms::qt::testing
