// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Decodes the program's PNG pictures with Qt's own PNG reader. Asked for a format by name,
// QImageReader would first load every image-format plugin installed to ask whether it reads
// PNG; the pictures are known to be PNG, so the plugins are left unloaded.
#pragma once

#include <QPixmap>
#include <span>

namespace forms::qt {

// The picture, or a null pixmap when the bytes are not a readable PNG.
QPixmap decodePng(std::span<const unsigned char> bytes);

} // namespace forms::qt
