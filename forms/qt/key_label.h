// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A label of a face: draws its caption in its font and colour from its top edge, centred or
// left-aligned, over whatever lies beneath it unless it is opaque. It is a button without
// focus: a left press and release inside its rectangle is a click (QAbstractButton::clicked),
// and the second press of a double click is a press like any other, so two quick clicks on a
// key are two key presses. What a click does is left to the view; whether it does anything,
// the view tells it, so that assistive technology hears a key as a button and any other
// label as plain text (forms/qt/accessibility.h).
#pragma once

#include "forms/face.h"

#include <QAbstractButton>
#include <QString>

namespace forms::qt {

class KeyLabel final : public QAbstractButton {
  public:
    explicit KeyLabel(const ElementDesign& design, QWidget* parent = nullptr);

    // Whether a click runs a handler; true until the view says otherwise.
    bool pressable() const { return pressable_; }
    void setPressable(bool pressable) { pressable_ = pressable; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QString caption_; // not the button's text: that would make '&' an access key
    Colour foreColor_;
    Colour backColor_;
    bool opaque_;
    Qt::Alignment alignment_;
    bool pressable_ = true;
};

} // namespace forms::qt
