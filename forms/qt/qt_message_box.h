// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The platform's message box in Qt: modal, OK button only, no icon, framed as a window of fixed
// size (forms/qt/window_frame.h) and titled with the application's display name, over the
// active window. Setting that name is the program's.
#pragma once

#include "forms/message_box.h"

namespace forms::qt {

class QtMessageBox final : public MessageBox {
  public:
    void show(std::u16string_view text) override;
};

} // namespace forms::qt
