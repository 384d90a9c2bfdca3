// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's pictures as embedded PNG files; turning them into toolkit images and
// showing them is left to the windows.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace faces {

// The program's icon at each pixel size, smallest first. Every window shows it: the faces name
// no icon of their own.
inline constexpr std::array<std::string_view, 6> programIconNames{
    "pokotama16", "pokotama32", "pokotama48", "pokotama64", "pokotama128", "pokotama256"};

// The PNG bytes of the picture called name: one of programIconNames, or "about" (the About
// window's 32 x 32 picture). Empty for any other name.
std::span<const unsigned char> imageBytes(std::string_view name);

} // namespace faces
