// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The live window of one form: builds the widgets of a face, binds them to the form's
// elements and handlers and the face's keyboard keys to its labels, and takes them down
// safely, also from inside one of the window's own handlers. What the handlers do is the
// form's.
#pragma once

#include "forms/form.h"
#include "forms/image_provider.h"
#include "forms/platform.h"

#include <QObject>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

namespace forms::qt {

class FaceCanvas;
class FormWindow;
class KeyBindings;
class KeyLabel;
class TextBoxEdit;

class QtView final : public View {
  public:
    // Builds the window hidden; the form's Window element shows it. The view must be destroyed
    // before the form's elements.
    QtView(const FaceDesign& face, Form& form, const ImageProvider& images);
    ~QtView() override;

    void announce(std::u16string_view text) override;

    // The top-level window, for the renderer's tests to look inside.
    QWidget* window() const;

  private:
    void build(const FaceDesign& face, const ImageProvider& images);
    QWidget* buildMenuBar(const FaceDesign& face);
    QWidget* buildElement(const ElementDesign& element, FaceCanvas& canvas,
                          const ImageProvider& images);
    void connectClick(QObject* sender, const ElementDesign& design);
    // Whether one of the window's lines shows text an input method has not confirmed.
    bool composing() const;
    // The keyboard keys click the label, and assistive technology hears which they are.
    void bindKeyboardKeys(const KeyboardKeys& keys, KeyLabel* label);
    void place(const WindowDesign& design, QSize client, int menuBarHeight);
    // Runs the element's handler, if it has one.
    void run(const std::string& name, int index);
    // Calls into the form, counting the calls in progress so that a view destroyed by one of
    // them leaves its widgets to Qt's deferred deletion.
    void callForm(const std::function<void()>& call);

    Form& form_;
    std::shared_ptr<int> formCalls_ = std::make_shared<int>(0);
    std::unique_ptr<QObject> receiver_; // context of every connection into the form
    FormWindow* window_;
    KeyBindings* keyBindings_ = nullptr; // the window's child, made for the first bound key
    std::vector<TextBoxEdit*> textBoxes_;
    std::vector<std::unique_ptr<ElementObserver>> bindings_;
};

} // namespace forms::qt
