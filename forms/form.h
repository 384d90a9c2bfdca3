// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A window object as the renderer sees it: its run-time elements and the handlers of its
// events, both found by element name and index. It knows nothing of what the handlers do.
#pragma once

#include "forms/element.h"
#include "forms/face.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

using Handler = std::function<void()>;

class Form {
  public:
    Form() = default;
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Element* find(std::string_view name, int index = Element::NoIndex) const;
    // The handler of the element's one handled event (click, tick or menu choice), or null.
    const Handler* handler(std::string_view name, int index = Element::NoIndex) const;

    // The user closed the window with its close box or system menu; the window is already
    // hidden. Called after the close event has been handled, so the owner may destroy the
    // view from here.
    virtual void closedByUser() {}

  protected:
    void bind(Element& element) { elements_.push_back(&element); }
    void on(std::string_view name, Handler handler) {
        on(name, Element::NoIndex, std::move(handler));
    }
    void on(std::string_view name, int index, Handler handler);
    // Gives the bound elements the start values of the design (texts empty, colours,
    // intervals), as the window has them when it is created.
    void applyDesign(const FaceDesign& face);

  private:
    struct Binding {
        std::string name;
        int index;
        Handler handler;
    };
    std::vector<Element*> elements_;
    std::vector<Binding> handlers_;
};

} // namespace forms
