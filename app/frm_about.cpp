// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frm_about.h"

#include "faces/about_face.h"

FrmAbout::FrmAbout(forms::Platform& platform, std::function<void()> closed)
    : closed_(std::move(closed)) {
    bind(window);
    on("CommandVersionToziru", [this] { CommandVersionToziru_Click(); });
    applyDesign(faces::aboutFace());
    view_ = platform.createView(faces::aboutFace(), *this);
}

FrmAbout::~FrmAbout() = default;

void FrmAbout::CommandVersionToziru_Click() {
    window.setVisible(false);
}

void FrmAbout::closedByUser() {
    // The callback destroys this object: run a copy that outlives it.
    if (auto closed = closed_)
        closed();
}
