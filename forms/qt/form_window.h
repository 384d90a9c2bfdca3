// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A top-level window of a face: shows and hides with its Window element, asks to be activated
// with the focus on the first element of the tab order each time it shows, keeps the program
// running while it shows, and reports the user's close box to its owner. Its contents are
// built by the view.
#pragma once

#include "forms/element.h"

#include <QEventLoopLocker>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

namespace forms::qt {

class FormWindow final : public QWidget, private ElementObserver {
  public:
    // `element` may be null: the window is then shown and hidden only by its owner.
    FormWindow(Window* element, std::function<void()> closedByUser);
    ~FormWindow() override;
    void detach();

    void setFirstFocus(QWidget* widget) { firstFocus_ = widget; }
    void setOffTaskbar(bool offTaskbar) { offTaskbar_ = offTaskbar; }
    // Shows the window as its element's Visible property asks.
    void followElement();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void elementChanged(Element& element, Property property) override;

    Window* element_;
    std::function<void()> closedByUser_;
    QPointer<QWidget> firstFocus_;
    bool offTaskbar_ = false;
    std::optional<QEventLoopLocker> keepsProgramRunning_;
    bool closing_ = false;
};

} // namespace forms::qt
