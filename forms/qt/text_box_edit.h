// A display line of a face: a one-line, right-aligned LineEditor kept in step with its TextBox
// element both ways. What the user types becomes the element's text; a program change of the
// element's text or background colour shows at once. Focus and tab order are the view's.
#pragma once

#include "forms/element.h"
#include "forms/face.h"
#include "forms/qt/line_editor.h"

namespace forms::qt {

class TextBoxEdit final : public LineEditor, private ElementObserver {
  public:
    // `element` may be null: the line then only edits its own text.
    TextBoxEdit(const ElementDesign& design, TextBox* element, QWidget* parent = nullptr);
    ~TextBoxEdit() override;
    // Stops following the element; the view calls it before the form goes away.
    void detach();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void elementChanged(Element& element, Property property) override;
    void takeUserText(const QString& text);
    void applyColours();

    TextBox* element_;
    Colour foreColor_;
    Colour backColor_;
    bool syncing_ = false; // a change is being passed on: don't echo it back
};

} // namespace forms::qt
