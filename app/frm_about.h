// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The About window object: its window element and the handler of its button, which hides
// it. Form1 creates it on first use and drops it when the user closes it.
#pragma once

#include "forms/element.h"
#include "forms/form.h"
#include "forms/platform.h"

#include <functional>
#include <memory>

class FrmAbout final : public forms::Form {
  public:
    // `closed` runs when the user has closed the window with its close box.
    FrmAbout(forms::Platform& platform, std::function<void()> closed);
    ~FrmAbout() override;

    forms::Window window{"frmAbout"};

    void CommandVersionToziru_Click();

  private:
    void closedByUser() override;

    std::function<void()> closed_;
    std::unique_ptr<forms::View> view_;
};
