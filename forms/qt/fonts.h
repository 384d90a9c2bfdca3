// The fonts of faces as Qt fonts: sized in device-independent pixels at 96 dots per inch, so
// text scales together with the geometry, with stand-ins for the Windows families a system
// lacks. Which installed font finally draws is left to Qt's font matching.
#pragma once

#include "forms/face.h"

#include <QFont>

namespace forms::qt {

// Registers the stand-in families with QFont; needs a QGuiApplication, runs once.
void installFontSubstitutes();

// The Qt font of a face's font; an empty name means the default dialog font.
QFont faceFont(const Font& font);

} // namespace forms::qt
