// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/form.h"

#include <algorithm>

namespace forms {

Element* Form::find(std::string_view name, int index) const {
    auto found = std::find_if(elements_.begin(), elements_.end(), [&](const Element* e) {
        return e->name() == name && e->index() == index;
    });
    return found == elements_.end() ? nullptr : *found;
}

const Handler* Form::handler(std::string_view name, int index) const {
    auto found = std::find_if(handlers_.begin(), handlers_.end(),
                              [&](const Binding& b) { return b.name == name && b.index == index; });
    return found == handlers_.end() ? nullptr : &found->handler;
}

void Form::on(std::string_view name, int index, Handler handler) {
    handlers_.push_back({std::string(name), index, std::move(handler)});
}

void Form::applyDesign(const FaceDesign& face) {
    for (const ElementDesign& design : face.elements) {
        Element* element = find(design.name, design.index);
        if (auto* textBox = dynamic_cast<TextBox*>(element)) {
            textBox->setBackColor(design.backColor);
        } else if (auto* shape = dynamic_cast<Shape*>(element)) {
            shape->setBackColor(design.backColor);
        } else if (auto* timer = dynamic_cast<Timer*>(element)) {
            timer->setInterval(design.interval);
        }
    }
}

} // namespace forms
