// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the main window object without a window system: the input is a sequence of events
// (the keys, edits of either display line, ticks of both timers, the About window's menu
// item, button and close box). After every event the fields stay finite and within their
// ranges and the colours among their own; a result the calculator writes is a finite number
// in the display's own spelling.
#include "app/form1.h"
#include "engine/number_text.h"
#include "engine/texts.h"
#include "faces/form1_face.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/fake_platform.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace {

using fuzz::Bytes;

// The keys as the face lays them out: each label with the face it lies on, clicked by name.
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

// The events before the keys, which follow them in the numbering.
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

// What a user can do to a line: replace it all, type or paste at a place, delete a stretch;
// a header byte with its top bit set types raw UTF-16 code units.
void editLine(forms::TextBox& line, Bytes& bytes) {
    std::u16string text = line.text();
    const std::uint8_t how = bytes.next();
    const std::size_t at = bytes.next() % (text.size() + 1);
    if (how % 3 == 2) {
        text.erase(at, bytes.next() % 16);
    } else {
        const std::uint8_t header = bytes.next();
        std::u16string typed(header % 32, u'\0');
        for (char16_t& c : typed) {
            if (header & 0x80) {
                const unsigned low = bytes.next();
                c = static_cast<char16_t>(low | (bytes.next() << 8));
            } else {
                c = Typed[bytes.next() % std::size(Typed)];
            }
        }
        if (how % 3 == 0)
            text = typed;
        else
            text.insert(at, typed);
    }
    line.setText(std::move(text));
}

class Run {
  public:
    void play(Bytes& bytes) {
        form_.start();
        // The box is modal: of all the events only the timers' ticks reach the program.
        platform_.messages.whileOpen = [this, &bytes] {
            const std::u16string& shown = platform_.messages.shown.back();
            EXPECT(shown == engine::texts::DivisionByZero || shown == engine::texts::TooLarge);
            for (int ticks = bytes.next() % 4; ticks > 0; --ticks)
                tick(bytes.next() % 2 == 0 ? form_.Timer1 : form_.Timer2);
        };
        for (fuzz::stepIndex = 0; !bytes.empty(); ++fuzz::stepIndex) {
            handle(bytes.next() % (EventCount + keys().size()), bytes);
            if (form_.Text1.text().size() > 4096) // keeps every run quick
                form_.Text1.setText({});
            check();
        }
    }

  private:
    void handle(std::size_t event, Bytes& bytes) {
        const engine::Calculator& calc = form_.calculator;
        FrmAbout* about = form_.about();
        switch (event) {
        case Timer1Tick:
            return tick(form_.Timer1);
        case Timer2Tick:
            return tick(form_.Timer2);
        case VersionMenu:
            (*form_.handler("Version", 1))();
            EXPECT(form_.about() != nullptr && form_.about()->window.visible());
            return;
        case AboutButton:
            if (about != nullptr) {
                (*about->handler("CommandVersionToziru"))();
                EXPECT(!about->window.visible());
            }
            return;
        case AboutCloseBox:
            if (about != nullptr) {
                platform_.closeBox("frmAbout");
                EXPECT(form_.about() == nullptr);
            }
            return;
        case EditText1:
            return editLine(form_.Text1, bytes);
        case EditText2:
            return editLine(form_.Text2, bytes);
        default:
            break;
        }
        const std::u16string before = form_.Text2.text();
        const bool wasLocked = calc.RenzokuMode == engine::OperatorLock::On;
        const std::size_t messages = platform_.messages.shown.size();
        (*form_.handler(keys().at(event - EventCount).label))();
        // An operator or the equals key (they leave a clear request) wrote a result.
        const std::u16string& entry = form_.Text2.text();
        if (calc.ClrMode != engine::PendingClear::None && !entry.empty() && entry != before) {
            const engine::ReadNumber read = engine::readNumber(entry);
            EXPECT(!read.outOfRange && engine::writeNumber(read.value) == entry);
        }
        if (!wasLocked && calc.RenzokuMode == engine::OperatorLock::On) {
            EXPECT(platform_.messages.shown.size() == messages);
            EXPECT(calc.ValA == engine::readNumber(entry).value);
        }
    }

    // The platform raises a timer's tick only while its interval is above 0.
    void tick(const forms::Timer& timer) {
        if (timer.interval() > 0)
            (*form_.handler(timer.name()))();
    }

    void check() {
        EXPECT(std::isfinite(form_.calculator.ValA) && std::isfinite(form_.calculator.ValB));
        const lights::LampShow& lamps = form_.lamps;
        EXPECT(lamps.LampTick >= 0 && lamps.LampTick <= 9999);
        EXPECT(lamps.LampLast >= 0 && lamps.LampLast <= 9999);
        EXPECT(lamps.LampCycle >= 0 && lamps.LampCycle <= 3);
        using namespace lights::lamp_colour;
        for (int n = 1; n <= lights::LampCount; ++n) {
            const forms::Colour lamp = form_.ShapeK(n).backColor();
            EXPECT(lamp == Pink || lamp == Green || lamp == Red);
        }
        for (const Key& key : keys()) {
            const auto& face = dynamic_cast<const forms::Shape&>(*form_.find(key.face));
            EXPECT(face.backColor() == key.colour || face.backColor() == forms::Black);
        }
        EXPECT(form_.Text2.backColor() == Orange || form_.Text2.backColor() == Red);
        EXPECT(form_.Text1.backColor() == formulaColour_);
        EXPECT(form_.Timer1.interval() == 0 || form_.Timer1.interval() == 200);
        EXPECT(form_.Timer2.interval() == 100);
    }

    FakePlatform platform_;
    Form1 form_{platform_};
    const forms::Colour formulaColour_ = form_.Text1.backColor();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes{data, data + size};
    Run().play(bytes);
    return 0;
}
