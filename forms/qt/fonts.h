// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The fonts of faces as Qt fonts: sized in device-independent pixels at 96 dots per inch, so
// text scales together with the geometry, with stand-ins for the Windows families a system
// lacks. Which installed font finally draws is left to Qt's font matching.
#pragma once

#include "forms/face.h"

#include <QFont>

namespace forms::qt {

// The Qt font of a face's font; an empty name means the default dialog font. Needs a
// QGuiApplication.
QFont faceFont(const Font& font);

} // namespace forms::qt
