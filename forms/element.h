// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The elements of a face that a program changes while it runs, each holding exactly the
// properties the program reads and writes. Setting a property to the value it already has
// does nothing; a real change is reported to the element's observer (the renderer), which
// repaints or reconfigures only that element.
#pragma once

#include "forms/colour.h"

#include <string>
#include <string_view>
#include <utility>

namespace forms {

enum class Property { Text, BackColor, Interval, Visible };

class Element;

class ElementObserver {
  public:
    virtual ~ElementObserver() = default;
    virtual void elementChanged(Element& element, Property property) = 0;
};

class Element {
  public:
    // Members of a control array carry their index; single elements have NoIndex.
    static constexpr int NoIndex = -1;

    explicit Element(std::string_view name, int index = NoIndex) : name_(name), index_(index) {}
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    const std::string& name() const { return name_; }
    int index() const { return index_; }
    void setObserver(ElementObserver* observer) { observer_ = observer; }

  protected:
    void changed(Property property) {
        if (observer_ != nullptr)
            observer_->elementChanged(*this, property);
    }

    template <typename T, typename U> void assign(T& field, U&& value, Property property) {
        if (field == value)
            return;
        field = std::forward<U>(value);
        changed(property);
    }

  private:
    std::string name_;
    int index_;
    ElementObserver* observer_ = nullptr;
};

// One line of editable text: the user may type into it, so its text is whatever the
// renderer last reported, or whatever the program last set.
class TextBox final : public Element {
  public:
    using Element::Element;
    const std::u16string& text() const { return text_; }
    void setText(std::u16string text) { assign(text_, std::move(text), Property::Text); }
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour colour) { assign(backColor_, colour, Property::BackColor); }

  private:
    std::u16string text_;
    Colour backColor_ = system_colour::WindowBackground;
};

// A filled rectangle or rounded rectangle; only its fill colour changes at run time.
class Shape final : public Element {
  public:
    using Element::Element;
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour colour) { assign(backColor_, colour, Property::BackColor); }

  private:
    Colour backColor_ = system_colour::WindowBackground;
};

// Raises its tick every Interval milliseconds while the interval is above 0.
class Timer final : public Element {
  public:
    using Element::Element;
    int interval() const { return interval_; }
    void setInterval(int milliseconds) { assign(interval_, milliseconds, Property::Interval); }

  private:
    int interval_ = 0;
};

// A top-level window; only its visibility is ever changed by a program.
class Window final : public Element {
  public:
    using Element::Element;
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible, Property::Visible); }

  private:
    bool visible_ = false;
};

} // namespace forms
