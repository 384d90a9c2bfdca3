// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Clicks a face's key labels from the keyboard: sees each key press before the focused widget
// of the window does and, if the face binds that key to a label, clicks the label exactly as
// the mouse does (QAbstractButton::click) and keeps the press from the widget; every other
// key goes on to the widget as before. The focus stays where it is. Which key clicks which
// label is the face's (ElementDesign::keyboardKeys); what a click does is the view's.
#pragma once

#include "forms/face.h"

#include <QObject>
#include <QString>
#include <map>
#include <optional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace forms::qt {

class KeyBindings final : public QObject {
  public:
    // Lives as long as the window, whose child it is.
    explicit KeyBindings(QWidget* window);

    void bind(KeyboardKey key, QAbstractButton* label);
    // Starts watching those of the window's widgets that take the focus, which are the ones
    // that receive key presses (the window shows with the focus on one of them), and the keypad
    // before the input method. Call it once the window is built.
    void watchWindow();
    // Whether a label is bound to the key pressed.
    bool binds(const QKeyEvent& event) const;
    // Whether a label is being clicked by Return or the keypad's Enter: a screen reader reads
    // the focused line's change after those keys by itself.
    bool clickingByEnter() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractButton* labelOf(const QKeyEvent& event) const;

    QWidget* window_;
    std::map<KeyboardKey, QAbstractButton*> labels_;
    std::optional<KeyboardKey> clicking_; // while a key's label is clicked
};

// The key that a press is, if a face can bind it. Presses with Ctrl, Alt or Meta held are
// none; so are the keypad's keys while NumLock is off (Qt reports them as Home, End, arrows,
// Delete …), and every key of the main keyboard but Return, Escape and F9.
std::optional<KeyboardKey> keyboardKeyOf(const QKeyEvent& event);

// How a screen reader says the keys that click a label, e.g. "テンキーのEnter、Enter"; empty
// for none.
QString spokenKeys(const KeyboardKeys& keys);

} // namespace forms::qt
