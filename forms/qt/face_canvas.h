// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The client area of a face's window: paints the window's background and every shape and
// line of the face in stacking order, in their current colours, and repaints only the
// rectangle of a shape whose colour changed. Labels and text boxes are child widgets above
// it; the canvas itself takes no input.
#pragma once

#include "forms/colour.h"
#include "forms/face.h"

#include <QLine>
#include <QRect>
#include <QWidget>
#include <optional>
#include <vector>

namespace forms::qt {

class PaletteColours;

class FaceCanvas final : public QWidget {
  public:
    FaceCanvas(Colour background, QSize clientSize, QWidget* parent = nullptr);

    // Adds above everything added before; returns the shape's number for setFill.
    int addShape(QRect rect, ShapeStyle style, Colour fill, std::optional<Colour> outline);
    void addLine(QLine line, Colour colour);
    void setFill(int shape, Colour fill);

    QSize sizeHint() const override { return clientSize_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    enum class Figure { Rectangle, RoundedRectangle, Line };
    struct Item {
        Figure figure;
        QRect bounds; // what the item covers, for repainting and clipping
        QLine line;
        Colour colour; // fill of a shape, colour of a line
        std::optional<Colour> outline;
    };
    void paintItem(QPainter& painter, const Item& item, const PaletteColours& system) const;

    Colour background_;
    QSize clientSize_;
    std::vector<Item> items_;
};

} // namespace forms::qt
