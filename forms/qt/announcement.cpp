// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/announcement.h"

#include <QAccessible>

namespace forms::qt {

Announcement::Announcement(QWidget& window) : QWidget(&window) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
}

void announce(QWidget& window, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&window, text);
    QAccessible::updateAccessibility(&event);
#else
    Announcement* announcement = nullptr;
    for (QObject* child : window.children()) { // findChild would take any QWidget: no Q_OBJECT
        if ((announcement = dynamic_cast<Announcement*>(child)) != nullptr)
            break;
    }
    if (announcement == nullptr)
        announcement = new Announcement(window);
    announcement->hide();
    announcement->setAccessibleName(text);
    announcement->show();
#endif
}

} // namespace forms::qt
