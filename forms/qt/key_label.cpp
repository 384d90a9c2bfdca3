// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/key_label.h"

#include "forms/qt/fonts.h"
#include "forms/qt/palette_colours.h"
#include "forms/qt/qt_text.h"

#include <QEvent>
#include <QPainter>

namespace forms::qt {
namespace {

Qt::Alignment horizontal(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return Qt::AlignLeft;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        break;
    }
    return Qt::AlignHCenter;
}

} // namespace

KeyLabel::KeyLabel(const ElementDesign& design, QWidget* parent)
    : QAbstractButton(parent), caption_(toQString(design.caption)), foreColor_(design.foreColor),
      backColor_(design.backColor), opaque_(design.opaque),
      alignment_(horizontal(design.alignment) | Qt::AlignTop) {
    setFont(faceFont(design.font));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, opaque_);
}

void KeyLabel::paintEvent(QPaintEvent*) {
    const PaletteColours system;
    QPainter painter(this);
    if (opaque_)
        painter.fillRect(rect(), toQColor(backColor_, system));
    painter.setPen(toQColor(foreColor_, system));
    painter.drawText(rect(), static_cast<int>(alignment_) | Qt::TextSingleLine, caption_);
}

void KeyLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        update();
    QAbstractButton::changeEvent(event);
}

} // namespace forms::qt
