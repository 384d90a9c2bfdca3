// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A push button that is neither a default nor a cancel button: Esc never presses it, and
// Enter presses it only while it has the keyboard focus, as Space does.
#pragma once

#include <QPushButton>

namespace forms::qt {

class DialogButton final : public QPushButton {
  public:
    explicit DialogButton(const QString& caption, QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace forms::qt
