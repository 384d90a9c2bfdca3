// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/text_box_edit.h"

#include "forms/qt/fonts.h"
#include "forms/qt/palette_colours.h"
#include "forms/qt/qt_text.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QStringView>
#include <algorithm>
#include <limits>
#include <utility>

namespace forms::qt {

void (*TextBoxEdit::refusalSound)() = &QApplication::beep;

TextBoxEdit::TextBoxEdit(const ElementDesign& design, TextBox* element, QWidget* parent)
    : QLineEdit(parent), element_(element), foreColor_(design.foreColor),
      backColor_(element != nullptr ? element->backColor() : design.backColor),
      typingLimit_(maxLength()) {
    setFont(faceFont(design.font));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    applyColours();
    if (element_ != nullptr) {
        showElementText();
        element_->setObserver(this);
    }
    // textChanged, not textEdited: cut, paste, undo and the context menu change the text too.
    connect(this, &QLineEdit::textChanged, this, &TextBoxEdit::takeUserText);
    connect(this, &QLineEdit::inputRejected, this, [] { refusalSound(); });
}

void TextBoxEdit::detach() {
    if (element_ != nullptr)
        element_->setObserver(nullptr);
    element_ = nullptr;
}

void TextBoxEdit::takeUserText(const QString& text) {
    if (syncing_ || element_ == nullptr)
        return;
    syncing_ = true;
    element_->setText(text.toStdU16String());
    syncing_ = false;
}

void TextBoxEdit::elementChanged(Element&, Property property) {
    if (syncing_ || element_ == nullptr)
        return;
    if (property == Property::BackColor) {
        backColor_ = element_->backColor();
        applyColours();
    } else if (property == Property::Text && QStringView(element_->text()) != text()) {
        selectAllPending_ = false; // the program's text replaces whatever was to be selected
        showElementText();
    }
}

// The limit grows before a longer text and shrinks after a shorter one, so that setting it
// (which sets the text again) never cuts the program's text.
void TextBoxEdit::showElementText() {
    const QString shown = toQString(element_->text());
    const int limit =
        int(std::clamp<qsizetype>(shown.size(), typingLimit_, std::numeric_limits<int>::max()));
    syncing_ = true;
    if (limit > maxLength())
        setMaxLength(limit);
    setText(shown);
    if (limit < maxLength())
        setMaxLength(limit);
    syncing_ = false;
}

void TextBoxEdit::applyColours() {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, toQColor(backColor_));
    colours.setColor(QPalette::Text, toQColor(foreColor_));
    setPalette(colours);
}

void TextBoxEdit::changeEvent(QEvent* event) {
    // Our palette is set explicitly, so a new colour scheme has to be looked up again.
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    QLineEdit::changeEvent(event);
}

// QLineEdit selects its text when the keyboard brings the focus, inside the focus event and
// so before Qt tells assistive technology that the line has the focus: a screen reader would
// hear a selection in a line it has not yet named. The selection follows from the event loop
// instead, once the focus has been announced, or before the next key if one comes sooner.
void TextBoxEdit::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason) &&
        !hasSelectedText()) {
        selectAllPending_ = true;
        QMetaObject::invokeMethod(this, &TextBoxEdit::selectAllIfPending, Qt::QueuedConnection);
        QFocusEvent withoutSelecting(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&withoutSelecting);
        return;
    }
    QLineEdit::focusInEvent(event);
}

void TextBoxEdit::selectAllIfPending() {
    if (std::exchange(selectAllPending_, false) && hasFocus())
        selectAll();
}

void TextBoxEdit::keyPressEvent(QKeyEvent* event) {
    selectAllIfPending();
    QLineEdit::keyPressEvent(event);
}

void TextBoxEdit::inputMethodEvent(QInputMethodEvent* event) {
    selectAllIfPending();
    QLineEdit::inputMethodEvent(event);
    composing_ = !event->preeditString().isEmpty();
}

void TextBoxEdit::mousePressEvent(QMouseEvent* event) {
    selectAllPending_ = false; // the click places the cursor, as it would after a selection
    QLineEdit::mousePressEvent(event);
}

void TextBoxEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    ++paintCount_;
}

} // namespace forms::qt
