// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the Qt tests do to a window as a user or a screen would: find where a face puts an
// element, click there, sample a picture at a logical point, and note paint events. What the
// window does with a click, and how it paints, is the renderer's.
#pragma once

#include "forms/face.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <QWidget>
#include <string_view>
#include <vector>

namespace qt_test {

// A rectangle of twips in pixels at 96 dpi, rounded as the renderer rounds.
QRect pixels(const forms::Rect& twips);

// The element of the face with that name and index, or the label with that caption; throws
// where the face has none.
const forms::ElementDesign& element(const forms::FaceDesign& face, std::string_view name,
                                    int index = forms::Element::NoIndex);
const forms::ElementDesign& label(const forms::FaceDesign& face, std::u16string_view caption);

// Clicks the child of `widget` under `point` (or `widget` itself where none is) as the mouse
// does.
void clickAt(QWidget* widget, QPoint point);

// The colour of a picture at a logical point, whatever its device pixel ratio.
QColor colourAt(const QImage& picture, QPoint point);

// Notes every paint event of the objects it watches.
class PaintLog final : public QObject {
  public:
    struct Paint {
        QObject* target;
        QRegion region;
    };
    void watch(QObject* object) { object->installEventFilter(this); }
    std::vector<Paint> paints;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qt_test
