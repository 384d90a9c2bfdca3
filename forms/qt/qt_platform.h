// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's side of the platform: builds real windows from faces and shows the message box. Where
// the pictures and icons come from is the program's: it passes an image provider.
#pragma once

#include "forms/image_provider.h"
#include "forms/platform.h"
#include "forms/qt/qt_message_box.h"

namespace forms::qt {

class QtPlatform final : public Platform {
  public:
    // Needs a QApplication. Installs the accessibility of the elements.
    explicit QtPlatform(ImageProvider images = {});

    std::unique_ptr<View> createView(const FaceDesign& face, Form& form) override;
    MessageBox& messageBox() override { return messageBox_; }

  private:
    ImageProvider images_;
    QtMessageBox messageBox_;
};

} // namespace forms::qt
