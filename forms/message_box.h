// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The platform's modal message box: OK button only, no icon, the application's title.
// show() returns when the user has closed the box.
#pragma once

#include <string_view>

namespace forms {

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(std::u16string_view text) = 0;
};

} // namespace forms
