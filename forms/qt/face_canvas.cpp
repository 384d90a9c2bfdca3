// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/face_canvas.h"

#include "forms/qt/palette_colours.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace forms::qt {
namespace {

// The classic rounded-rectangle shape: corners of about a sixth of the shorter side.
qreal cornerRadius(QRect rect) {
    return std::min(rect.width(), rect.height()) / 6.0;
}

// A rectangle filled as it is, a rounded one smoothed at its corners.
void fillShape(QPainter& painter, const QRectF& shape, qreal radius, const QColor& colour) {
    if (radius <= 0) {
        painter.fillRect(shape, colour);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(shape, radius, radius);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

FaceCanvas::FaceCanvas(Colour background, QSize clientSize, QWidget* parent)
    : QWidget(parent), background_(background), clientSize_(clientSize) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int FaceCanvas::addShape(QRect rect, ShapeStyle style, Colour fill, std::optional<Colour> outline) {
    const Figure figure =
        style == ShapeStyle::RoundedRectangle ? Figure::RoundedRectangle : Figure::Rectangle;
    items_.push_back({figure, rect, {}, fill, outline});
    return static_cast<int>(items_.size()) - 1;
}

void FaceCanvas::addLine(QLine line, Colour colour) {
    const QRect bounds = QRect(line.p1(), line.p2()).normalized(); // both ends included
    items_.push_back({Figure::Line, bounds, line, colour, std::nullopt});
}

void FaceCanvas::setFill(int shape, Colour fill) {
    Item& item = items_.at(static_cast<std::size_t>(shape));
    if (item.colour == fill)
        return;
    item.colour = fill;
    update(item.bounds);
}

void FaceCanvas::paintEvent(QPaintEvent* event) {
    const PaletteColours system;
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.fillRect(dirty, toQColor(background_, system));
    for (const Item& item : items_) {
        if (item.bounds.intersects(dirty))
            paintItem(painter, item, system);
    }
}

void FaceCanvas::paintItem(QPainter& painter, const Item& item,
                           const PaletteColours& system) const {
    const QColor colour = toQColor(item.colour, system);
    switch (item.figure) {
    case Figure::Rectangle:
    case Figure::RoundedRectangle: {
        qreal radius = item.figure == Figure::RoundedRectangle ? cornerRadius(item.bounds) : 0;
        QRectF face(item.bounds);
        if (item.outline) {
            // The 1-pixel outline as the shape filled in its colour with the face filled one
            // pixel inside it: the same pixels as a stroked outline, at a fraction of the cost.
            fillShape(painter, face, radius, toQColor(*item.outline, system));
            face.adjust(1, 1, -1, -1);
            radius = std::max<qreal>(0, radius - 1);
        }
        fillShape(painter, face, radius, colour);
        break;
    }
    case Figure::Line:
        painter.setPen(QPen(colour, 1));
        painter.drawLine(QLineF(item.line).translated(0.5, 0.5));
        break;
    }
}

void FaceCanvas::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace forms::qt
