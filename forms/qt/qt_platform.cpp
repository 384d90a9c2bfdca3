// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/qt_platform.h"

#include "forms/qt/accessibility.h"
#include "forms/qt/qt_view.h"

namespace forms::qt {

QtPlatform::QtPlatform(ImageProvider images) : images_(std::move(images)) {
    installAccessibility();
}

std::unique_ptr<View> QtPlatform::createView(const FaceDesign& face, Form& form) {
    return std::make_unique<QtView>(face, form, images_);
}

} // namespace forms::qt
