// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "faces/form1_face.h"

#include <algorithm>
#include <string>

namespace {

forms::Colour designColour(const forms::FaceDesign& face, std::string_view name) {
    const auto row = std::find_if(face.elements.begin(), face.elements.end(),
                                  [&](const forms::ElementDesign& e) { return e.name == name; });
    return row == face.elements.end() ? forms::Black : row->backColor;
}

} // namespace

Form1::Form1(forms::Platform& platform) : platform_(platform) {
    for (int n = 1; n <= lights::LampCount; ++n) {
        auto& lamp = lampShapes_.at(static_cast<std::size_t>(n - 1));
        lamp = std::make_unique<forms::Shape>("ShapeK" + std::to_string(n));
        lampRing_.at(static_cast<std::size_t>(n - 1)) = lamp.get();
    }
    for (forms::Element* element : std::initializer_list<forms::Element*>{
             &window,      &Text1,       &Text2,       &ShapeSuuzi0,     &ShapeSuuzi1,
             &ShapeSuuzi2, &ShapeSuuzi3, &ShapeSuuzi4, &ShapeSuuzi5,     &ShapeSuuzi6,
             &ShapeSuuzi7, &ShapeSuuzi8, &ShapeSuuzi9, &ShapeSyousuuTen, &ShapePuramai,
             &ShapePura,   &ShapeMaina,  &ShapeKakeru, &ShapeWaru,       &ShapeEqual,
             &ShapeC,      &ShapeCE,     &Timer1,      &Timer2})
        bind(*element);
    for (forms::Shape* lamp : lampRing_)
        bind(*lamp);

    on("LabelSuuzi0", [this] { LabelSuuzi0_Click(); });
    on("LabelSuuzi1", [this] { LabelSuuzi1_Click(); });
    on("LabelSuuzi2", [this] { LabelSuuzi2_Click(); });
    on("LabelSuuzi3", [this] { LabelSuuzi3_Click(); });
    on("LabelSuuzi4", [this] { LabelSuuzi4_Click(); });
    on("LabelSuuzi5", [this] { LabelSuuzi5_Click(); });
    on("LabelSuuzi6", [this] { LabelSuuzi6_Click(); });
    on("LabelSuuzi7", [this] { LabelSuuzi7_Click(); });
    on("LabelSuuzi8", [this] { LabelSuuzi8_Click(); });
    on("LabelSuuzi9", [this] { LabelSuuzi9_Click(); });
    on("LabelSyousuuTen", [this] { LabelSyousuuTen_Click(); });
    on("LabelPuraMai", [this] { LabelPuraMai_Click(); });
    on("LabelPura", [this] { LabelPura_Click(); });
    on("LabelMaina", [this] { LabelMaina_Click(); });
    on("Label2", [this] { Label2_Click(); });
    on("Label3", [this] { Label3_Click(); });
    on("LabelEqual", [this] { LabelEqual_Click(); });
    on("LabelC", [this] { LabelC_Click(); });
    on("LabelCE", [this] { LabelCE_Click(); });
    on("Timer1", [this] { Timer1_Timer(); });
    on("Timer2", [this] { Timer2_Timer(); });
    on("Version", 1, [this] { Version_Click(1); });

    const forms::FaceDesign& face = faces::form1Face();
    applyDesign(face);
    // The faces an entry key can flash, in the order the key-flash tick paints them back.
    for (forms::Shape* shape :
         {&ShapeSuuzi0, &ShapeSuuzi1, &ShapeSuuzi2, &ShapeSuuzi3, &ShapeSuuzi4, &ShapeSuuzi5,
          &ShapeSuuzi6, &ShapeSuuzi7, &ShapeSuuzi8, &ShapeSuuzi9, &ShapeSyousuuTen, &ShapePuramai})
        flashableFaces_.push_back({shape, designColour(face, shape->name())});

    view_ = platform_.createView(face, *this);
}

Form1::~Form1() = default;

void Form1::start() {
    Form_Load();
    window.setVisible(true);
}

void Form1::Form_Load() {
    lamps.load(Timer2);
}

void Form1::entryKey(char16_t appended, forms::Shape& face) {
    calculator.pressEntryKey(appended);
    lights::flashKeyFace(face, Timer1);
}

void Form1::LabelSuuzi0_Click() {
    entryKey(u'0', ShapeSuuzi0);
}
void Form1::LabelSuuzi1_Click() {
    entryKey(u'1', ShapeSuuzi1);
}
void Form1::LabelSuuzi2_Click() {
    entryKey(u'2', ShapeSuuzi2);
}
void Form1::LabelSuuzi3_Click() {
    entryKey(u'3', ShapeSuuzi3);
}
void Form1::LabelSuuzi4_Click() {
    entryKey(u'4', ShapeSuuzi4);
}
void Form1::LabelSuuzi5_Click() {
    entryKey(u'5', ShapeSuuzi5);
}
void Form1::LabelSuuzi6_Click() {
    entryKey(u'6', ShapeSuuzi6);
}
void Form1::LabelSuuzi7_Click() {
    entryKey(u'7', ShapeSuuzi7);
}
void Form1::LabelSuuzi8_Click() {
    entryKey(u'8', ShapeSuuzi8);
}
void Form1::LabelSuuzi9_Click() {
    entryKey(u'9', ShapeSuuzi9);
}
void Form1::LabelSyousuuTen_Click() {
    entryKey(u'.', ShapeSyousuuTen);
}
void Form1::LabelPuraMai_Click() {
    entryKey(u'-', ShapePuramai);
}

void Form1::LabelPura_Click() {
    calculator.pressOperator(engine::Operator::Plus);
}
void Form1::LabelMaina_Click() {
    calculator.pressOperator(engine::Operator::Minus);
}
void Form1::Label2_Click() {
    calculator.pressOperator(engine::Operator::Multiply);
}
void Form1::Label3_Click() {
    calculator.pressOperator(engine::Operator::Divide);
}

void Form1::LabelEqual_Click() {
    lamps.startResultFlash();
    calculator.pressEquals();
}

void Form1::LabelC_Click() {
    calculator.pressClear();
}
void Form1::LabelCE_Click() {
    calculator.pressClearAll();
}

void Form1::Timer1_Timer() {
    lights::restoreKeyFaces(flashableFaces_);
}
void Form1::Timer2_Timer() {
    lamps.tick(lampRing_, Text2);
}

void Form1::Version_Click(int /*index*/) {
    if (!about_)
        about_ = std::make_unique<FrmAbout>(platform_, [this] { about_.reset(); });
    about_->window.setVisible(true);
}

// A result appears where the user did not type: a screen reader is told to say it.
void Form1::showResult(std::u16string text) {
    Text2.setText(std::move(text));
    view_->announce(Text2.text());
}

void Form1::showMessage(std::u16string_view text) {
    platform_.messageBox().show(text);
}
