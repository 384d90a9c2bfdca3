// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/character_extents.h"

#include "forms/qt/text_box_edit.h"

#include <QGlyphRun>
#include <QTextOption>
#include <utility>

namespace forms::qt {

QRect CharacterExtents::of(const TextBoxEdit& line, int offset) {
    QString text = line.text();
    if (offset < 0 || offset >= text.size())
        return {};
    Shown now{std::move(text), line.font(), line.cursorPosition(), line.size(), line.paintCount()};
    if (!(now == shown_))
        layOut(line, std::move(now));
    // A run's bounding rectangle spans the advances of the glyphs the character makes.
    QRectF glyphs;
    for (const QGlyphRun& run : layout_.glyphRuns(offset, 1))
        glyphs |= run.boundingRect();
    const int left = qRound(origin_ + glyphs.left());
    const QRect box(left, caret_.top(), qRound(origin_ + glyphs.right()) - left, caret_.height());
    return box.translated(line.mapToGlobal(QPoint(0, 0)));
}

void CharacterExtents::layOut(const TextBoxEdit& line, Shown shown) {
    shown_ = std::move(shown);
    layout_.setText(shown_.text);
    layout_.setFont(shown_.font);
    QTextOption option;
    option.setTextDirection(line.layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout_.setTextOption(option);
    layout_.beginLayout();
    const QTextLine row = layout_.createLine();
    layout_.endLayout();
    // The cursor's rectangle is centred on the place between two characters.
    caret_ = line.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int cursorX = caret_.x() + caret_.width() / 2;
    origin_ = cursorX - row.cursorToX(shown_.cursor);
}

} // namespace forms::qt
