// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/palette_colours.h"

#include <QGuiApplication>

namespace forms::qt {
namespace {

// Windows system colour → the palette role that plays the same part in Qt.
QPalette::ColorRole roleOf(std::uint8_t index) {
    switch (static_cast<SystemColour>(index)) {
    case SystemColour::Window:
        return QPalette::Base;
    case SystemColour::WindowText:
        return QPalette::Text;
    case SystemColour::BtnFace:
        return QPalette::Button;
    case SystemColour::BtnText:
        return QPalette::ButtonText;
    case SystemColour::MenuText:
    case SystemColour::CaptionText:
        return QPalette::WindowText;
    case SystemColour::Highlight:
        return QPalette::Highlight;
    case SystemColour::HighlightText:
        return QPalette::HighlightedText;
    case SystemColour::BtnShadow:
        return QPalette::Dark;
    case SystemColour::BtnHighlight:
        return QPalette::Light;
    case SystemColour::DkShadow3D:
        return QPalette::Shadow;
    case SystemColour::Light3D:
        return QPalette::Midlight;
    case SystemColour::InfoText:
        return QPalette::ToolTipText;
    case SystemColour::InfoBk:
        return QPalette::ToolTipBase;
    }
    return QPalette::Window; // every other system colour
}

} // namespace

PaletteColours::PaletteColours() : palette_(QGuiApplication::palette()) {}

Rgb PaletteColours::resolve(std::uint8_t index) const {
    const QColor colour = palette_.color(QPalette::Active, roleOf(index));
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

QColor toQColor(Colour colour, const PaletteColours& system) {
    const Rgb rgb = forms::resolve(colour, system);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QColor toQColor(Colour colour) {
    if (isSystemColour(colour))
        return toQColor(colour, PaletteColours());
    const Rgb rgb = rgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace forms::qt
