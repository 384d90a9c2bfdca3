// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a window object needs from the platform: a live window for a face, and the message
// box. The Qt renderer supplies one; tests supply a fake that records what was asked.
#pragma once

#include "forms/face.h"
#include "forms/message_box.h"

#include <memory>
#include <string_view>

namespace forms {

class Form;

// A window on screen, built from a face and kept in step with its form's elements.
// Destroying the view destroys the window.
class View {
  public:
    virtual ~View() = default;
    // Has assistive technology say `text` once, without moving the focus: something the
    // window shows that the user did not type.
    virtual void announce(std::u16string_view text) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;
    // Builds the window of `form` from `face`, hidden. The form's forms::Window element
    // (named as the face's window) shows and hides it.
    virtual std::unique_ptr<View> createView(const FaceDesign& face, Form& form) = 0;
    virtual MessageBox& messageBox() = 0;
};

} // namespace forms
