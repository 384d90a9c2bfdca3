// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The application's own style with one difference: the standard icons of toolbar overflow
// buttons are read when they are first drawn instead of when they are asked for. Every menu
// bar asks for one when it is made, for a button that only a menu bar too narrow for its menus
// shows, and reading that icon makes Qt load every installed image-format plugin first. The
// look of everything, the icon included, is left to the style it wraps.
#pragma once

#include <QProxyStyle>

namespace forms::qt {

class DeferredIconStyle final : public QProxyStyle {
  public:
    // Wraps a new instance of the application's current style; install it with
    // QApplication::setStyle, which deletes the one it replaces.
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace forms::qt
