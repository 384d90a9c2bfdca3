#include "forms/qt/text_box_edit.h"

#include "forms/qt/fonts.h"
#include "forms/qt/paint_counter.h"
#include "forms/qt/palette_colours.h"

#include <QEvent>
#include <QStringView>

namespace forms::qt {

TextBoxEdit::TextBoxEdit(const ElementDesign& design, TextBox* element, QWidget* parent)
    : LineEditor(parent), element_(element), foreColor_(design.foreColor),
      backColor_(element != nullptr ? element->backColor() : design.backColor) {
    setFont(faceFont(design.font));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    applyColours();
    if (element_ != nullptr) {
        setText(QString::fromStdU16String(element_->text()));
        element_->setObserver(this);
    }
    // textChanged, not textEdited: cut, paste, undo and the context menu change the text too.
    connect(this, &LineEditor::textChanged, this, &TextBoxEdit::takeUserText);
}

TextBoxEdit::~TextBoxEdit() {
    detach();
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
        syncing_ = true;
        setText(QString::fromStdU16String(element_->text()));
        syncing_ = false;
    }
}

void TextBoxEdit::applyColours() {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, toQColor(backColor_));
    colours.setColor(QPalette::Text, toQColor(foreColor_));
    setPalette(colours);
}

void TextBoxEdit::paintEvent(QPaintEvent* event) {
    PaintCounter::textPainted();
    LineEditor::paintEvent(event);
}

void TextBoxEdit::changeEvent(QEvent* event) {
    // Our palette is set explicitly, so a new colour scheme has to be looked up again.
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    LineEditor::changeEvent(event);
}

} // namespace forms::qt
