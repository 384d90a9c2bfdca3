// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the characters of a display line lie on the screen, for assistive technology: Qt's
// own layout of the line's text (QTextLayout, in the line's font and direction) placed where
// the line shows its cursor. The layout is kept while the line's text, font, cursor, size and
// scrolling stay as they were, so that the extents of a range, which Qt's AT-SPI bridge asks
// for one character at a time, cost one layout. What the line shows is QLineEdit's.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextLayout>

namespace forms::qt {

class TextBoxEdit;

class CharacterExtents {
  public:
    // The character at `offset` of the line's text in screen coordinates, as high as the
    // cursor; empty outside the text.
    QRect of(const TextBoxEdit& line, int offset);

  private:
    struct Shown {
        QString text;
        QFont font;
        int cursor = -1;
        QSize size;
        int paints = -1; // QLineEdit scrolls its text as it paints
        bool operator==(const Shown&) const = default;
    };
    void layOut(const TextBoxEdit& line, Shown shown);

    Shown shown_;
    QTextLayout layout_;
    QRect caret_;     // the cursor's rectangle in the line
    qreal origin_{0}; // where the layout's x = 0 falls in the line
};

} // namespace forms::qt
