#include "recording_form.h"

namespace forms::qt::testing {
namespace {

template <typename T>
T& own(std::vector<std::unique_ptr<Element>>& owned, std::string_view name, int index) {
    owned.push_back(std::make_unique<T>(name, index));
    return static_cast<T&>(*owned.back());
}

} // namespace

RecordingForm::RecordingForm(const FaceDesign& face)
    : window_(&own<Window>(owned_, face.window.name, Element::NoIndex)) {
    bind(*window_);
    for (const ElementDesign& design : face.elements) {
        switch (design.kind) {
        case Kind::Shape:
            bind(own<Shape>(owned_, design.name, design.index));
            continue;
        case Kind::TextBox:
            bind(own<TextBox>(owned_, design.name, design.index));
            continue;
        case Kind::Timer:
            bind(own<Timer>(owned_, design.name, design.index));
            break;
        case Kind::Label:
        case Kind::Button:
        case Kind::MenuItem:
            break;
        default:
            continue;
        }
        std::string tag(design.name);
        if (design.index != Element::NoIndex)
            tag += "(" + std::to_string(design.index) + ")";
        const bool timer = design.kind == Kind::Timer;
        on(design.name, design.index, [this, tag, timer] {
            // Ticks go on in the background of every test, so they are counted apart.
            if (timer) {
                ++ticks[tag];
                return;
            }
            events.push_back(tag);
            if (onEvent)
                onEvent(tag);
        });
    }
    applyDesign(face);
}

void RecordingForm::closedByUser() {
    ++closedCount;
    if (onClosed)
        onClosed();
}

} // namespace forms::qt::testing
