// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window object: the calculator's and the lamps' fields, the elements that the
// handlers touch, and one handler per event of the face, each wiring its event to engine/
// or lights/. How the window looks is faces/'s; how it is drawn is the platform's.
#pragma once

#include "app/frm_about.h"
#include "engine/calculator.h"
#include "forms/element.h"
#include "forms/form.h"
#include "forms/platform.h"
#include "lights/key_flash.h"
#include "lights/lamp_show.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class Form1 final : public forms::Form, private engine::Display {
  public:
    explicit Form1(forms::Platform& platform);
    ~Form1() override;

    // Runs the load event, then shows the window.
    void start();

    engine::Calculator calculator{*this}; // EnzanKind, ValA, ValB, ClrMode, RenzokuMode
    lights::LampShow lamps;               // LampMode, LampTick, LampCycle, LampLast

    forms::Window window{"Form1"};
    forms::TextBox Text1{"Text1"}; // the formula line
    forms::TextBox Text2{"Text2"}; // the entry line
    forms::Shape ShapeSuuzi0{"ShapeSuuzi0"}, ShapeSuuzi1{"ShapeSuuzi1"}, ShapeSuuzi2{"ShapeSuuzi2"},
        ShapeSuuzi3{"ShapeSuuzi3"}, ShapeSuuzi4{"ShapeSuuzi4"}, ShapeSuuzi5{"ShapeSuuzi5"},
        ShapeSuuzi6{"ShapeSuuzi6"}, ShapeSuuzi7{"ShapeSuuzi7"}, ShapeSuuzi8{"ShapeSuuzi8"},
        ShapeSuuzi9{"ShapeSuuzi9"};
    forms::Shape ShapeSyousuuTen{"ShapeSyousuuTen"}, ShapePuramai{"ShapePuramai"};
    forms::Shape ShapePura{"ShapePura"}, ShapeMaina{"ShapeMaina"}, ShapeKakeru{"ShapeKakeru"},
        ShapeWaru{"ShapeWaru"}, ShapeEqual{"ShapeEqual"}, ShapeC{"ShapeC"}, ShapeCE{"ShapeCE"};
    forms::Timer Timer1{"Timer1"}; // the key flash
    forms::Timer Timer2{"Timer2"}; // the lamps
    // ShapeK(1) … ShapeK(56): the ring of lamps.
    forms::Shape& ShapeK(int n) { return *lampShapes_.at(static_cast<std::size_t>(n - 1)); }

    void Form_Load();
    void LabelSuuzi0_Click();
    void LabelSuuzi1_Click();
    void LabelSuuzi2_Click();
    void LabelSuuzi3_Click();
    void LabelSuuzi4_Click();
    void LabelSuuzi5_Click();
    void LabelSuuzi6_Click();
    void LabelSuuzi7_Click();
    void LabelSuuzi8_Click();
    void LabelSuuzi9_Click();
    void LabelSyousuuTen_Click();
    void LabelPuraMai_Click();
    void LabelPura_Click();
    void LabelMaina_Click();
    void Label2_Click();
    void Label3_Click();
    void LabelEqual_Click();
    void LabelC_Click();
    void LabelCE_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Version_Click(int index);

    // The shared About window, or null while it does not exist.
    FrmAbout* about() const { return about_.get(); }

  private:
    void entryKey(char16_t appended, forms::Shape& face);

    // engine::Display
    const std::u16string& formulaLine() const override { return Text1.text(); }
    void setFormulaLine(std::u16string text) override { Text1.setText(std::move(text)); }
    const std::u16string& entryLine() const override { return Text2.text(); }
    void setEntryLine(std::u16string text) override { Text2.setText(std::move(text)); }
    void showResult(std::u16string text) override;
    void showMessage(std::u16string_view text) override;

    forms::Platform& platform_;
    std::array<std::unique_ptr<forms::Shape>, lights::LampCount> lampShapes_;
    std::array<forms::Shape*, lights::LampCount> lampRing_{};
    std::vector<lights::FaceColour> flashableFaces_; // the entry keys' faces
    std::unique_ptr<FrmAbout> about_;
    std::unique_ptr<forms::View> view_; // last: the window goes before the elements it shows
};
