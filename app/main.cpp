// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ぽこたま: starts the main window and runs until the last visible window is closed.
#include "app/form1.h"
#include "faces/images.h"
#include "forms/qt/application.h"

int main(int argc, char** argv) {
    const forms::qt::ApplicationInfo info{
        .name = u"ぽこたま",
        .desktopFileName = "io.github.pokotama.Pokotama",
        // The sizes a window manager asks for; the large ones are for the desktop entry.
        .iconNames = std::span(faces::programIconNames).first(4),
        .images = faces::imageBytes,
    };
    return forms::qt::runApplication(argc, argv, info, [](forms::Platform& platform) {
        auto form = std::make_unique<Form1>(platform);
        form->start();
        return std::unique_ptr<forms::Form>(std::move(form));
    });
}
