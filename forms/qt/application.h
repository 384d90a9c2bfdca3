// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs a program on Qt: the application with its name and icon, the platform, the
// program's first window, and the event loop until the last visible window has closed.
// What the first window is, is the program's. A face that names an icon of its own gives
// its window that image instead of the application's icon.
#pragma once

#include "forms/form.h"
#include "forms/image_provider.h"
#include "forms/platform.h"

#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace forms::qt {

struct ApplicationInfo {
    // The application's name, which message boxes take as their title. It is deliberately
    // not set as Qt's display name, which Qt would append to every window's caption.
    std::u16string_view name;
    std::string_view desktopFileName;
    std::span<const std::string_view> iconNames; // one image per size, through `images`
    ImageProvider images;
};

// `start` opens the first window and returns the form that owns it.
using Startup = std::function<std::unique_ptr<Form>(Platform&)>;

int runApplication(int& argc, char** argv, const ApplicationInfo& info, const Startup& start);

} // namespace forms::qt
