// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window objects' wiring, checked against their faces: every element the face names is
// bound or handled, and a click on each key does that key's own work.
#include "app/form1.h"
#include "engine/texts.h"
#include "faces/form1_face.h"
#include "tests/support/fake_platform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using forms::Kind;

void click(const forms::Form& form, std::string_view name, int index = forms::Element::NoIndex) {
    const forms::Handler* handler = form.handler(name, index);
    ASSERT_NE(handler, nullptr) << name << ' ' << index;
    (*handler)();
}

// What a key's click leaves in the formula and entry lines, from "x" and "1", by its caption.
struct Effect {
    std::u16string formula, entry;
    bool flashes;
};
Effect effectOf(std::u16string_view caption) {
    if (caption == u"+/-")
        return {u"x", u"1-", true};
    if (caption == u"C")
        return {u"x", u"", false};
    if (caption == u"CE")
        return {u"", u"", false};
    if (caption == u"\uFF1D")
        return {u"x1=1", u"1", false};
    if (caption == u"." || (caption.size() == 1 && caption[0] >= u'0' && caption[0] <= u'9'))
        return {u"x", u"1" + std::u16string(caption), true};
    return {u"x1" + std::u16string(caption), u"1", false}; // an operator: its sign
}

TEST(Form1, EveryElementOfTheFaceIsBoundWithItsStartValues) {
    FakePlatform platform;
    const Form1 form(platform);
    for (const forms::ElementDesign& design : faces::form1Face().elements) {
        SCOPED_TRACE(design.name);
        const forms::Element* element = form.find(design.name, design.index);
        switch (design.kind) {
        case Kind::Shape:
            ASSERT_NE(element, nullptr);
            EXPECT_EQ(dynamic_cast<const forms::Shape&>(*element).backColor(), design.backColor);
            break;
        case Kind::TextBox:
            ASSERT_NE(element, nullptr);
            EXPECT_EQ(dynamic_cast<const forms::TextBox&>(*element).backColor(), design.backColor);
            break;
        case Kind::Timer:
            ASSERT_NE(element, nullptr);
            EXPECT_EQ(dynamic_cast<const forms::Timer&>(*element).interval(), design.interval);
            break;
        case Kind::Menu:
            break;
        default: // labels and menu items take clicks
            EXPECT_NE(form.handler(design.name, design.index), nullptr);
        }
    }
}

// Each label is clicked on a fresh window whose lines read "x" and "1"; the face beneath it
// flashes black if it is an entry key, and the key-flash tick restores every face.
TEST(Form1, EachKeyDoesItsOwnWork) {
    const auto& elements = faces::form1Face().elements;
    for (std::size_t i = 1; i < elements.size(); ++i) {
        if (elements[i].kind != Kind::Label)
            continue;
        SCOPED_TRACE(elements[i].name);
        FakePlatform platform;
        Form1 form(platform);
        form.start();
        form.Text1.setText(u"x");
        form.Text2.setText(u"1");
        click(form, elements[i].name);
        const Effect effect = effectOf(elements[i].caption);
        EXPECT_EQ(form.Text1.text(), effect.formula);
        EXPECT_EQ(form.Text2.text(), effect.entry);
        EXPECT_EQ(form.lamps.LampMode == lights::LampPhase::FlashRed,
                  elements[i].caption == u"\uFF1D");
        for (std::size_t j = 1; j < elements.size(); ++j) {
            if (elements[j].kind == Kind::Label) {
                const auto& face = dynamic_cast<forms::Shape&>(*form.find(elements[j - 1].name));
                const bool black = i == j && effect.flashes;
                EXPECT_EQ(face.backColor(), black ? forms::Black : elements[j - 1].backColor)
                    << elements[j - 1].name;
            }
        }
        EXPECT_EQ(form.Timer1.interval() > 0, effect.flashes);
        if (effect.flashes) {
            click(form, "Timer1");
            EXPECT_EQ(dynamic_cast<forms::Shape&>(*form.find(elements[i - 1].name)).backColor(),
                      elements[i - 1].backColor);
        }
        EXPECT_TRUE(platform.messages.shown.empty());
    }
}

// The lamps flash from ＝ on, even while the message box it raised is open.
TEST(Form1, EqualsStartsTheResultFlashBeforeItsMessage) {
    FakePlatform platform;
    Form1 form(platform);
    form.start();
    platform.messages.whileOpen = [&] { click(form, "Timer2"); };
    for (const char* key : {"LabelSuuzi8", "Label3", "LabelSuuzi0", "LabelEqual"})
        click(form, key);
    EXPECT_EQ(platform.messages.shown,
              std::vector<std::u16string>{std::u16string(engine::texts::DivisionByZero)});
    EXPECT_EQ(form.ShapeK(1).backColor(), lights::lamp_colour::Red);
}

// A result is told to assistive technology as the entry line shows it.
TEST(Form1, AResultIsAnnounced) {
    FakePlatform platform;
    Form1 form(platform);
    form.start();
    for (const char* key : {"LabelSuuzi1", "LabelPura", "LabelSuuzi2", "LabelEqual"})
        click(form, key);
    EXPECT_EQ(platform.announced, std::vector<std::u16string>{u"3"});
}

} // namespace
