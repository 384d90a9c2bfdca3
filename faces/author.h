// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The name of ぽこたま's author, as the About window's credit lines and the program file's
// version information show it: family name, one full-width space, given name.
#pragma once

#include <string_view>

namespace faces {

inline constexpr std::u16string_view AuthorName = u"森\u3000結";

} // namespace faces
