// Drives the real main window: Form1 on the Qt renderer with the program's pictures, found,
// clicked and photographed as a user would. What the window does is Form1's.
#pragma once

#include "app/form1.h"
#include "faces/images.h"
#include "forms/qt/qt_platform.h"

#include <QAction>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <initializer_list>
#include <string_view>

namespace gui_test {

// The visible top-level windows with that object name.
QList<QWidget*> visibleWindows(const QString& objectName);

// Clicks `widget`'s child under `point` (or the widget itself where none is) as the mouse does.
void clickAt(QWidget* widget, QPoint point);

// Clicks the centre of the label of the key with this caption on Form1's client area.
void pressKey(QWidget* client, std::u16string_view caption);

// One picture of a client area, sampled at its logical points at any scale factor.
class Snapshot {
  public:
    explicit Snapshot(QWidget* client);
    QColor at(QPoint point) const;
    QSize deviceSize() const { return image_.size(); }

  private:
    QImage image_;
};

class MainWindow {
  public:
    // Creates Form1 and starts it (load, then show). Processes no events: the lamp timer has
    // not ticked yet.
    MainWindow();

    Form1& form() { return form_; }
    QWidget* window() const { return window_; }
    QWidget* client() const { return client_; } // the client area below the menu bar
    QLineEdit* line(const char* name) const;
    QAction* menuItem(const char* name) const;

    // Clicks the centre of the label of the key with this caption.
    void press(std::u16string_view caption);
    void press(std::initializer_list<std::u16string_view> captions);
    // A fresh calculation with these lines: nothing pending, operator lock off, numbers 0.
    void startCalculation(std::u16string formula, std::u16string entry);
    Snapshot snapshot() const { return Snapshot(client_); }

  private:
    forms::qt::QtPlatform platform_{faces::imageBytes};
    Form1 form_{platform_};
    QWidget* window_ = nullptr;
    QWidget* client_ = nullptr;
};

} // namespace gui_test
