// Fuzzes the main window object without a window system: the input is a sequence of events
// (the nineteen keys, edits of either display line, ticks of both timers, the About window's
// menu item, button and close box), and after every event the window's state must stay
// within its ranges, its colours among their own, and no display line may show a value
// that is not finite unless the user typed it there.
#include "app/form1.h"
#include "engine/number_text.h"
#include "engine/texts.h"
#include "faces/form1_face.h"
#include "lights/lamp_show.h"
#include "tests/support/fake_platform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Bytes taken one at a time; zeros once they run out.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return next_ >= size_; }
    std::uint8_t next() { return next_ < size_ ? data_[next_++] : 0; }
    char16_t unit() {
        const unsigned low = next();
        return static_cast<char16_t>(low | (next() << 8));
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// The keys, as the face lays them out: every label with the face it lies on, and that face's
// colour. Each is clicked by its name, as the renderer clicks it.
struct Key {
    std::string_view label;
    std::string_view face;
    forms::Colour colour;
};

const std::vector<Key>& keys() {
    static const std::vector<Key> found = [] {
        std::vector<Key> out;
        const auto& elements = faces::form1Face().elements;
        for (std::size_t i = 1; i < elements.size(); ++i)
            if (elements[i].kind == forms::Kind::Label)
                out.push_back({elements[i].name, elements[i - 1].name, elements[i - 1].backColor});
        return out;
    }();
    return found;
}

enum Event : std::size_t {
    Timer1Tick,
    Timer2Tick,
    VersionMenu,
    AboutButton,
    AboutCloseBox,
    EditText1,
    EditText2,
    EventCount
};

// Characters a user might type, so that number-like texts come up often.
constexpr char16_t Typed[] = {
    u'0',      u'1', u'2', u'3', u'4', u'5', u'6',      u'7',      u'8',      u'9',
    u'.',      u'-', u'+', u'E', u'e', u' ', u'\u3000', u'\uFF11', u'\uFF0E', u'\uFF0D',
    u'\u2212', u'x', u'i', u'n', u'f', u'a', u',',      u'\0',     u'\xDC00'};

// Keeps the lines short enough for every run to stay quick.
constexpr std::size_t LongestFormula = 4096;

std::size_t eventIndex = 0;
std::size_t eventKind = 0;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "broken after event %zu (kind %zu): %s\n", eventIndex, eventKind, what);
    std::abort();
}

// FUZZ_TRACE=1 prints every event and both lines, to follow a reproduced failure.
const bool Trace = std::getenv("FUZZ_TRACE") != nullptr;

std::string printable(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

#define EXPECT(condition)                                                                          \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fail(#condition);                                                                      \
    } while (false)

bool hasLetterOfInfOrNan(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) {
        return c < 0x80 && std::strchr("iInNfFaA", static_cast<char>(c)) != nullptr && c != 0;
    });
}

bool mentionsInfOrNan(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return lower.find(u"inf") != std::u16string::npos || lower.find(u"nan") != std::u16string::npos;
}

std::u16string typedText(Bytes& bytes) {
    const std::uint8_t header = bytes.next();
    const bool raw = (header & 0x80) != 0;
    std::u16string text(header % 32, u'\0');
    for (char16_t& c : text)
        c = raw ? bytes.unit() : Typed[bytes.next() % std::size(Typed)];
    return text;
}

// What a user can do to a line: replace it all, type or paste at a place, delete a stretch.
// Returns whether the new text holds letters of "inf" or "nan".
bool editLine(forms::TextBox& line, Bytes& bytes) {
    std::u16string text = line.text();
    const std::uint8_t how = bytes.next();
    const std::size_t at = bytes.next() % (text.size() + 1);
    std::u16string typed;
    switch (how % 3) {
    case 0:
        typed = typedText(bytes);
        text = typed;
        break;
    case 1:
        typed = typedText(bytes);
        text.insert(at, typed);
        break;
    default:
        text.erase(at, bytes.next() % 16);
        break;
    }
    line.setText(std::move(text));
    return hasLetterOfInfOrNan(typed);
}

class Run {
  public:
    Run() {
        formulaColour_ = form_.Text1.backColor();
        form_.start();
        check();
    }

    void play(Bytes& bytes) {
        // The box is modal: of all the events only the timers' ticks reach the program.
        platform_.messages.whileOpen = [this, &bytes] {
            checkMessage(platform_.messages.shown.back());
            for (int ticks = bytes.next() % 4; ticks > 0; --ticks)
                tick(bytes.next() % 2 == 0 ? form_.Timer1 : form_.Timer2);
        };
        while (!bytes.empty()) {
            eventKind = bytes.next() % (EventCount + keys().size());
            handle(bytes);
            if (form_.Text1.text().size() > LongestFormula)
                form_.Text1.setText({}); // the user empties the formula line
            if (Trace)
                std::fprintf(stderr, "%zu kind %zu: Text1 \"%s\" Text2 \"%s\" messages %zu\n",
                             eventIndex, eventKind, printable(form_.Text1.text()).c_str(),
                             printable(form_.Text2.text()).c_str(),
                             platform_.messages.shown.size());
            check();
            ++eventIndex;
        }
    }

  private:
    void handle(Bytes& bytes) {
        const engine::Calculator& calc = form_.calculator;
        if (eventKind >= EventCount) {
            const std::u16string entryBefore = form_.Text2.text();
            const bool wasLocked = calc.RenzokuMode == engine::OperatorLock::On;
            const std::size_t messagesBefore = platform_.messages.shown.size();
            (*form_.handler(keys().at(eventKind - EventCount).label))();
            // An operator or the equals key (they leave a clear request) wrote a result.
            const std::u16string& entry = form_.Text2.text();
            if (calc.ClrMode != engine::PendingClear::None && !entry.empty() &&
                entry != entryBefore)
                checkWrittenResult();
            if (!wasLocked && calc.RenzokuMode == engine::OperatorLock::On) {
                EXPECT(platform_.messages.shown.size() == messagesBefore);
                EXPECT(calc.ValA == engine::readNumber(form_.Text2.text()).value);
            }
            return;
        }
        switch (eventKind) {
        case Timer1Tick:
            tick(form_.Timer1);
            break;
        case Timer2Tick:
            tick(form_.Timer2);
            break;
        case VersionMenu:
            (*form_.handler("Version", 1))();
            EXPECT(form_.about() != nullptr && form_.about()->window.visible());
            break;
        case AboutButton:
            if (FrmAbout* about = form_.about()) {
                (*about->handler("CommandVersionToziru"))();
                EXPECT(!about->window.visible());
            }
            break;
        case AboutCloseBox:
            if (form_.about() != nullptr) {
                platform_.closeBox("frmAbout");
                EXPECT(form_.about() == nullptr);
            }
            break;
        case EditText1:
            typedLetters_ |= editLine(form_.Text1, bytes);
            break;
        case EditText2:
            typedLetters_ |= editLine(form_.Text2, bytes);
            break;
        default:
            break;
        }
    }

    // The platform raises a timer's tick only while its interval is above 0.
    void tick(const forms::Timer& timer) {
        if (timer.interval() > 0)
            (*form_.handler(timer.name()))();
    }

    static void checkMessage(const std::u16string& message) {
        EXPECT(message == engine::texts::DivisionByZero || message == engine::texts::TooLarge);
    }

    // An operator or the equals key has written a result: a finite value in the display's
    // own spelling.
    void checkWrittenResult() {
        const std::u16string& entry = form_.Text2.text();
        EXPECT(!mentionsInfOrNan(entry));
        const engine::ReadNumber read = engine::readNumber(entry);
        EXPECT(!read.outOfRange);
        EXPECT(engine::writeNumber(read.value) == entry);
    }

    void check() {
        const engine::Calculator& calc = form_.calculator;
        EXPECT(std::isfinite(calc.ValA) && std::isfinite(calc.ValB));

        // Only the user's typing puts letters into the lines; while none are left there, no
        // line may spell a value that is not finite.
        if (!hasLetterOfInfOrNan(form_.Text1.text()) && !hasLetterOfInfOrNan(form_.Text2.text()))
            typedLetters_ = false;
        if (!typedLetters_)
            EXPECT(!mentionsInfOrNan(form_.Text1.text()) && !mentionsInfOrNan(form_.Text2.text()));

        const lights::LampShow& lamps = form_.lamps;
        EXPECT(lamps.LampTick >= 0 && lamps.LampTick <= 9999);
        EXPECT(lamps.LampLast >= 0 && lamps.LampLast <= 9999);
        EXPECT(lamps.LampCycle >= 0 && lamps.LampCycle <= 3);
        for (int n = 1; n <= lights::LampCount; ++n) {
            const forms::Colour lamp = form_.ShapeK(n).backColor();
            EXPECT(lamp == lights::lamp_colour::Pink || lamp == lights::lamp_colour::Green ||
                   lamp == lights::lamp_colour::Red);
        }
        for (const Key& key : keys()) {
            const auto* face = dynamic_cast<const forms::Shape*>(form_.find(key.face));
            EXPECT(face != nullptr);
            EXPECT(face->backColor() == key.colour || face->backColor() == forms::Black);
        }
        const forms::Colour entryBack = form_.Text2.backColor();
        EXPECT(entryBack == lights::lamp_colour::Orange || entryBack == lights::lamp_colour::Red);
        EXPECT(form_.Text1.backColor() == formulaColour_);
        EXPECT(form_.Timer1.interval() == 0 || form_.Timer1.interval() == 200);
        EXPECT(form_.Timer2.interval() == 100);
    }

    FakePlatform platform_;
    Form1 form_{platform_};
    forms::Colour formulaColour_ = 0;
    bool typedLetters_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    eventIndex = 0;
    eventKind = EventCount;
    Bytes bytes(data, size);
    Run run;
    run.play(bytes);
    return 0;
}
