#include "forms/qt/palette_colours.h"

#include <QGuiApplication>

namespace forms::qt {
namespace {

// Windows system colour index → the palette role that plays the same part in Qt.
QPalette::ColorRole roleOf(std::uint8_t index) {
    switch (index) {
    case 5: // window background: the background of edit fields and document windows
        return QPalette::Base;
    case 8: // window text
        return QPalette::Text;
    case 15: // button face, also the background of dialogs
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    case 7: // menu text
    case 9: // caption text
        return QPalette::WindowText;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 20: // button highlight
        return QPalette::Light;
    case 21: // 3-D dark shadow
        return QPalette::Shadow;
    case 22: // 3-D light
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
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
