// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The face of the calculator's main window Form1 as a fixed table: display lines, the
// nineteen keys, the ring of 56 lamps, the two timers and the menu. Building the window from
// it and wiring the events to their handlers is left to the platform and the app.
#pragma once

#include "forms/face.h"

namespace faces {

const forms::FaceDesign& form1Face();

} // namespace faces
