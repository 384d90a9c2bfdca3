// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a renderer finds the pictures and icons that faces and the program name: the program
// passes a provider of their encoded bytes by name. Decoding and showing them is the
// renderer's.
#pragma once

#include <functional>
#include <span>
#include <string_view>

namespace forms {

// The encoded bytes (PNG) of the picture or icon of that name, or none. The renderer decodes
// them at once; they need stay valid only until the call after.
using ImageProvider = std::function<std::span<const unsigned char>(std::string_view name)>;

} // namespace forms
