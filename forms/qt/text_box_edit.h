// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A display line of a face: a right-aligned QLineEdit in the face's font and colours, kept in
// step with its TextBox element both ways. What the user types or pastes is cut at QLineEdit's
// limit of 32,767 characters, with a beep; text the program writes is never cut, the limit
// grows to fit it. The keyboard's focus selects the text, as in any line edit, but only once
// the focus has been announced to assistive technology. Editing, the clipboard, undo, input
// methods and bidi are QLineEdit's; focus policy and tab order are the view's.
#pragma once

#include "forms/element.h"
#include "forms/face.h"

#include <QLineEdit>

namespace forms::qt {

class TextBoxEdit final : public QLineEdit, private ElementObserver {
  public:
    // `element` may be null: the line then only edits its own text.
    TextBoxEdit(const ElementDesign& design, TextBox* element, QWidget* parent = nullptr);
    // Stops following the element; the view calls it before the form goes away (the line may
    // outlive it, its window's deletion deferred).
    void detach();

    // Whether the line shows text that an input method is composing and has not confirmed:
    // it is not the line's text yet.
    bool composing() const { return composing_; }

    // What a refused keystroke or a cut paste sounds like: QApplication::beep, unless a test
    // puts a listener of its own here.
    static void (*refusalSound)();

    // How many times the line has painted itself: QLineEdit scrolls its text only then.
    int paintCount() const { return paintCount_; }

  protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void elementChanged(Element& element, Property property) override;
    void showElementText();
    void takeUserText(const QString& text);
    void applyColours();
    void selectAllIfPending();

    TextBox* element_;
    Colour foreColor_;
    Colour backColor_;
    const int typingLimit_; // QLineEdit's own maximum length
    bool syncing_ = false;  // a change is being passed on: don't echo it back
    bool selectAllPending_ = false;
    bool composing_ = false;
    int paintCount_ = 0;
};

} // namespace forms::qt
