// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a display line's characters lie: side by side up to the place of its cursor, and where
// the line has scrolled its text to when it last painted.
#include "forms/qt/character_extents.h"
#include "forms/qt/text_box_edit.h"
#include "tests/support/qt/qt_printers.h"

#include <QTest>
#include <gtest/gtest.h>

namespace forms::qt {
namespace {

// The place between two characters where the line shows its cursor, on the screen.
QPoint caretAt(const TextBoxEdit& line) {
    const QRect caret = line.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return line.mapToGlobal(QPoint(caret.x() + caret.width() / 2, caret.y()));
}

TEST(CharacterExtents, LieSideBySideUpToTheCursorWhereverTheLineHasScrolledTheText) {
    const ElementDesign design{.kind = Kind::TextBox};
    TextBoxEdit line(design, nullptr);
    line.resize(120, 30);
    line.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&line));
    CharacterExtents extents;
    line.setText(QStringLiteral("12＋3"));
    line.repaint();
    for (int offset = 0; offset < 3; ++offset) {
        const QRect box = extents.of(line, offset);
        EXPECT_GT(box.width(), 0) << offset;
        EXPECT_EQ(box.x() + box.width(), extents.of(line, offset + 1).x()) << offset;
    }
    const QRect last = extents.of(line, 3);
    EXPECT_EQ(QPoint(last.x() + last.width(), last.y()), caretAt(line));
    EXPECT_EQ(extents.of(line, 4), QRect());

    line.setText(QString(200, QLatin1Char('1')));
    line.repaint();
    line.setCursorPosition(0);
    extents.of(line, 0); // before the line scrolls back to its start
    line.repaint();
    EXPECT_EQ(extents.of(line, 0).topLeft(), caretAt(line));
}

} // namespace
} // namespace forms::qt
