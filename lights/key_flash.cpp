// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lights/key_flash.h"

namespace lights {

void flashKeyFace(forms::Shape& face, forms::Timer& flashTimer) {
    face.setBackColor(forms::Black);
    flashTimer.setInterval(KeyFlashInterval);
}

void restoreKeyFaces(std::span<const FaceColour> faces) {
    for (const FaceColour& entry : faces)
        entry.face->setBackColor(entry.colour);
}

} // namespace lights
