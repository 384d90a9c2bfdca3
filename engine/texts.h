// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator's messages, shown in the modal message box.
#pragma once

#include <string_view>

namespace engine::texts {

inline constexpr std::u16string_view DivisionByZero = u"0でわれないよ";
inline constexpr std::u16string_view TooLarge = u"おおきすぎるよ";

} // namespace engine::texts
