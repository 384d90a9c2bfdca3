// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The face of the About window frmAbout as a fixed table: title, picture, version, rule,
// credit lines and the close button. Showing and hiding the window is left to the app.
#pragma once

#include "forms/face.h"

namespace faces {

const forms::FaceDesign& aboutFace();

} // namespace faces
