// A form for any face that binds an element to every shape, text box and timer and to the
// window, and records every handled click or menu choice as "Name" or "Name(index)", and
// counts every timer's ticks.
#pragma once

#include "forms/form.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace forms::qt::testing {

class RecordingForm final : public Form {
  public:
    explicit RecordingForm(const FaceDesign& face);

    template <typename T> T& element(std::string_view name, int index = Element::NoIndex) {
        return dynamic_cast<T&>(*find(name, index));
    }
    Window& window() { return *window_; }

    void closedByUser() override;

    std::vector<std::string> events;
    std::map<std::string, int> ticks;
    int closedCount = 0;
    std::function<void(const std::string&)> onEvent; // runs after an event is recorded
    std::function<void()> onClosed;

  private:
    std::vector<std::unique_ptr<Element>> owned_;
    Window* window_ = nullptr;
};

} // namespace forms::qt::testing
