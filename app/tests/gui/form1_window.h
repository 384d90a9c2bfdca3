// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's main window as the window tests and the bench drivers meet it: Form1 started
// on the Qt renderer with the program's pictures, its keys clicked where the face puts them.
// What the window does is Form1's.
#pragma once

#include "app/form1.h"
#include "faces/form1_face.h"
#include "faces/images.h"
#include "forms/qt/qt_platform.h"
#include "tests/support/qt/qt_test_support.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <initializer_list>
#include <stdexcept>

namespace gui_test {

// The visible top-level windows with that object name.
inline QList<QWidget*> visibleWindows(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == name)
            found.push_back(widget);
    }
    return found;
}

class Form1Window {
  public:
    // Starts Form1 (load, then show); processes no events.
    Form1Window() {
        form_.start();
        const QList<QWidget*> shown = visibleWindows(QStringLiteral("Form1"));
        if (shown.size() != 1)
            throw std::runtime_error("Form1's window is not shown once");
        window_ = shown.front();
        client_ = window_->findChild<QWidget*>(QStringLiteral("canvas"));
    }

    Form1& form() { return form_; }
    QWidget* window() const { return window_; }
    QWidget* client() const { return client_; } // below the menu bar
    QLineEdit* line(const char* name) const { return client_->findChild<QLineEdit*>(name); }
    QString text(const char* name) const { return line(name)->text(); }

    // Clicks the centres of the labels of the keys with these captions.
    void press(std::initializer_list<std::u16string_view> captions) {
        for (std::u16string_view caption : captions) {
            const forms::ElementDesign& label = qt_test::label(faces::form1Face(), caption);
            qt_test::clickAt(client_, qt_test::pixels(label.rect).center());
        }
    }
    // Chooses the menu item バージョン; gives the About window it shows, or null.
    QWidget* chooseVersion() {
        window_->findChild<QAction*>(QStringLiteral("Version"))->trigger();
        const QList<QWidget*> shown = visibleWindows(QStringLiteral("frmAbout"));
        return shown.size() == 1 ? shown.front() : nullptr;
    }

  private:
    forms::qt::QtPlatform platform_{faces::imageBytes};
    Form1 form_{platform_};
    QWidget* window_ = nullptr;
    QWidget* client_ = nullptr;
};

} // namespace gui_test
