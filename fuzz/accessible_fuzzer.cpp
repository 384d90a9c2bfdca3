// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes what assistive technology can do to the real window: Form1 on the Qt renderer,
// offscreen, as the window tests build it. The input is a sequence of steps: a key clicked, a
// key of the keyboard pressed or text pasted into either line, or a call with any arguments on
// the accessible interface of any object of the windows (text, editable text, action, value
// and the table-free rest); the division-by-zero box is asked the same while it is open, then
// answered. After every step the lines hold their elements' texts, every item the text
// interface gives lies in its text, and no call takes a second: one that never returns is
// libFuzzer's -timeout.
#include "app/tests/gui/form1_window.h"
#include "fuzz/fuzz_input.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

using fuzz::Bytes;

constexpr int MaxSteps = 64;         // keeps every run quick, even with the longest lines
constexpr int MaxRangeLength = 2048; // of a range measured a character at a time

int twoBytes(Bytes& bytes) {
    const int low = bytes.next();
    return low | bytes.next() << 8;
}

// Offsets about both ends of the text, the extremes, and anywhere between.
int anyOffset(Bytes& bytes, int length) {
    constexpr int Extremes[] = {std::numeric_limits<int>::min(), -2, -1,
                                std::numeric_limits<int>::max()};
    const std::uint8_t pick = bytes.next();
    if (pick < 16)
        return Extremes[pick % 4];
    if (pick < 160)
        return pick % 2 == 0 ? pick % 5 - 1 : length + pick % 5 - 3;
    return twoBytes(bytes) % (length + 1);
}

// Characters a user might type or paste.
const QString Typed = QStringLiteral("0123456789.-+E e,\u3000１．－−＋×÷=xinfاب");

// Some characters a user might type or paste; a header byte with its top bit set gives raw UTF-16
// code units, lone surrogates and controls among them.
QString anyText(Bytes& bytes) {
    const std::uint8_t header = bytes.next();
    QString text(header % 16, QChar());
    for (QChar& c : text)
        c = header & 0x80 ? QChar(char16_t(twoBytes(bytes)))
                          : Typed.at(bytes.next() % Typed.size());
    return text;
}

// The object and everything below it, in the order assistive technology walks the tree.
std::vector<QAccessibleInterface*> nodesUnder(QAccessibleInterface* root) {
    std::vector<QAccessibleInterface*> nodes;
    std::vector<QAccessibleInterface*> pending{root};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        if (node == nullptr || !node->isValid())
            continue;
        nodes.push_back(node);
        for (int i = node->childCount() - 1; i >= 0; --i)
            pending.push_back(node->child(i));
    }
    return nodes;
}

// One call on one of the objects under `root`, with three offsets and whatever else it takes
// from the input, in that order.
void callSomewhere(QAccessibleInterface* root, Bytes& bytes) {
    const std::vector<QAccessibleInterface*> nodes = nodesUnder(root);
    QAccessibleInterface* node = nodes.at(bytes.next() % nodes.size());
    QAccessibleTextInterface* text = node->textInterface();
    QAccessibleEditableTextInterface* editable = node->editableTextInterface();
    QAccessibleActionInterface* action = node->actionInterface();
    QAccessibleValueInterface* value = node->valueInterface();
    const int length = text != nullptr ? text->characterCount() : 0;
    const std::uint8_t method = bytes.next();
    const int a = anyOffset(bytes, length);
    const int b = anyOffset(bytes, length);
    const int c = anyOffset(bytes, length);
    int start = 0;
    int end = 0;
    if (text == nullptr && method % 10 >= 2 && method % 10 < 8)
        return;
    QElapsedTimer clock;
    clock.start();
    switch (method % 10) {
    case 0: {
        const auto type = QAccessible::Text(bytes.next() % 6);
        node->text(type);
        node->setText(type, anyText(bytes));
        break;
    }
    case 1:
        node->rect(), node->role(), node->state(), node->relations(), node->focusChild();
        // Children as AT-SPI asks for them: any index from 0 on, and the index of each it has.
        if (QAccessibleInterface* child = node->child(bytes.next() % (node->childCount() + 2)))
            node->indexOfChild(child);
        node->childAt(a, b);
        break;
    case 2:
        EXPECT(text->text(a, b).size() <= length);
        break;
    case 3: {
        const auto kind = QAccessible::TextBoundaryType(bytes.next() % 6);
        const std::uint8_t place = bytes.next() % 3;
        const QString item = place == 0   ? text->textBeforeOffset(a, kind, &start, &end)
                             : place == 1 ? text->textAtOffset(a, kind, &start, &end)
                                          : text->textAfterOffset(a, kind, &start, &end);
        EXPECT((start == -1 && end == -1 && item.isEmpty()) ||
               (0 <= start && start <= end && end <= length && item == text->text(start, end)));
        break;
    }
    case 4: // the extents of a range, as Qt's AT-SPI bridge asks for them
        start = std::clamp(a, -1, length + 1);
        end = std::min(std::clamp(b, -1, length + 1), start + MaxRangeLength);
        for (int i = start; i <= end; ++i)
            text->characterRect(i);
        break;
    case 5:
        text->selection(a, &start, &end);
        EXPECT(0 <= start && start <= end && end <= length);
        text->attributes(b, &start, &end);
        text->selectionCount(), text->cursorPosition();
        text->offsetAtPoint(node->rect().center() + QPoint(a % 64, b % 64));
        text->offsetAtPoint(QPoint(a, b));
        break;
    case 6:
        text->setCursorPosition(a);
        text->scrollToSubstring(b, c);
        text->removeSelection(a);
        text->setSelection(a, b, c);
        text->addSelection(b, c);
        break;
    case 7:
        if (editable != nullptr) {
            const QString typed = anyText(bytes);
            editable->deleteText(a, b);
            editable->insertText(b, typed);
            editable->replaceText(a, c, typed);
        }
        break;
    case 8:
        if (action != nullptr) {
            const QStringList names = action->actionNames();
            const qsizetype pick = bytes.next() % (names.size() + 1);
            const QString name = pick < names.size() ? names.at(pick) : anyText(bytes);
            action->keyBindingsForAction(name);
            action->localizedActionName(name), action->localizedActionDescription(name);
            action->doAction(name);
        }
        break;
    default:
        if (value != nullptr)
            value->currentValue(), value->setCurrentValue(a);
        break;
    }
    EXPECT(clock.elapsed() < 1000);
}

// The keyboard keys a user presses in a line: editing keys, and keys that click the calculator's.
// clang-format off
constexpr QKeyCombination Keys[] = {
    Qt::Key_1, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,
    Qt::Key_Escape, Qt::Key_F9, Qt::ShiftModifier | Qt::Key_Left, Qt::ShiftModifier | Qt::Key_End,
    Qt::ControlModifier | Qt::Key_A, Qt::ControlModifier | Qt::Key_X, Qt::ControlModifier | Qt::Key_V,
    Qt::ControlModifier | Qt::Key_Z, Qt::KeypadModifier | Qt::Key_Enter,
    Qt::KeypadModifier | Qt::Key_Slash, Qt::KeypadModifier | Qt::Key_0,
    Qt::KeypadModifier | Qt::Key_Minus};
// clang-format on

enum Step { ClickKey, PressKey, Paste, PasteRun, Call, StepCount };

class Run {
  public:
    explicit Run(Bytes& bytes) : bytes_(bytes) {
        // The box is modal: the click that opened it waits in its event loop, where this answers
        // it.
        QObject::connect(&boxes_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            for (int calls = bytes_.next() % 4; calls > 0; --calls)
                callSomewhere(QAccessible::queryAccessibleInterface(box), bytes_);
            box->button(QMessageBox::Ok)->click();
        });
        boxes_.start(0);
    }

    void play() {
        const QList<QAbstractButton*> keys = main_.client()->findChildren<QAbstractButton*>();
        for (fuzz::stepIndex = 0; fuzz::stepIndex < MaxSteps && !bytes_.empty();
             ++fuzz::stepIndex) {
            QLineEdit* line = main_.line(bytes_.next() % 2 == 0 ? "Text1" : "Text2");
            switch (bytes_.next() % StepCount) {
            case ClickKey:
                keys.at(bytes_.next() % keys.size())->click();
                break;
            case PressKey: {
                const QKeyCombination key = Keys[bytes_.next() % std::size(Keys)];
                QTest::keyClick(line, key.key(), key.keyboardModifiers());
                break;
            }
            case Paste:
                line->insert(anyText(bytes_));
                break;
            case PasteRun: { // of 1 to 32,768 characters, up to QLineEdit's limit and beyond
                const int length = 1 << bytes_.next() % 16;
                line->insert(QString(length, Typed.at(bytes_.next() % Typed.size())));
                break;
            }
            default:
                callSomewhere(QAccessible::queryAccessibleInterface(qApp), bytes_);
                break;
            }
            QCoreApplication::processEvents();
            if (main_.form().Text1.text().size() > 40'000) // the formula line grows for ever
                main_.form().Text1.setText({});
            EXPECT(main_.text("Text1").toStdU16String() == main_.form().Text1.text());
            EXPECT(main_.text("Text2").toStdU16String() == main_.form().Text2.text());
        }
    }

  private:
    Bytes& bytes_;
    QTimer boxes_;
    gui_test::Form1Window main_;
};

} // namespace

// Qt keeps its caches (fonts, fontconfig's) to the end: leaks are not this target's to find.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_accessible";
    static char* argv[] = {name, nullptr};
    static QApplication* application = nullptr;
    if (application == nullptr) { // one for the whole run
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's warnings unheard: the offscreen platform warns of every hint it cannot pass on.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
        application = new QApplication(argc, argv);
    }
    Bytes bytes{data, data + size};
    Run(bytes).play();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
