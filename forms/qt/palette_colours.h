// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The system colours of faces read from the application's current QPalette, so a change of
// colour scheme shows at the next paint; repainting on such a change is left to the widgets.
#pragma once

#include "forms/colour.h"

#include <QColor>
#include <QPalette>

namespace forms::qt {

class PaletteColours final : public SystemColours {
  public:
    PaletteColours();
    Rgb resolve(std::uint8_t index) const override;

  private:
    QPalette palette_;
};

// A colour of a face as Qt draws it; system colours are looked up in the current palette.
QColor toQColor(Colour colour);
QColor toQColor(Colour colour, const PaletteColours& system);

} // namespace forms::qt
