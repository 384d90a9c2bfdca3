// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_test_support.h"

#include <QPaintEvent>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qt_test {
namespace {

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / forms::TwipsPerPixel));
}

template <typename Match>
const forms::ElementDesign& found(const forms::FaceDesign& face, Match match) {
    const auto it = std::find_if(face.elements.begin(), face.elements.end(), match);
    if (it == face.elements.end())
        throw std::invalid_argument("no such element on the face");
    return *it;
}

} // namespace

QRect pixels(const forms::Rect& twips) {
    return QRect(QPoint(pixels(twips.left), pixels(twips.top)),
                 QPoint(pixels(twips.right()) - 1, pixels(twips.bottom()) - 1));
}

const forms::ElementDesign& element(const forms::FaceDesign& face, std::string_view name,
                                    int index) {
    return found(face, [&](const auto& e) { return e.name == name && e.index == index; });
}

const forms::ElementDesign& label(const forms::FaceDesign& face, std::u16string_view caption) {
    return found(
        face, [&](const auto& e) { return e.kind == forms::Kind::Label && e.caption == caption; });
}

void clickAt(QWidget* widget, QPoint point) {
    QWidget* target = widget->childAt(point);
    if (target == nullptr)
        target = widget;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(widget, point));
}

QColor colourAt(const QImage& picture, QPoint point) {
    const qreal scale = picture.devicePixelRatio();
    return picture.pixelColor(qRound((point.x() + 0.5) * scale - 0.5),
                              qRound((point.y() + 0.5) * scale - 0.5));
}

bool PaintLog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint)
        paints.push_back({watched, static_cast<QPaintEvent*>(event)->region()});
    return false;
}

} // namespace qt_test
