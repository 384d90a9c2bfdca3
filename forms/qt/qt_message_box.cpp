// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/qt_message_box.h"

#include "forms/qt/qt_text.h"
#include "forms/qt/window_frame.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace forms::qt {

void QtMessageBox::show(std::u16string_view text) {
    // On the heap and watched: the parent window may be destroyed while the box is open.
    QPointer<QMessageBox> box = new QMessageBox(QApplication::activeWindow());
    box->setWindowFlags(Qt::Dialog | fixedSizeFrame());
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(toQString(text));
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
    delete box;
}

} // namespace forms::qt
