// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/form_window.h"

#include "forms/qt/taskbar.h"

#include <QCloseEvent>
#include <QWindow>

namespace forms::qt {

FormWindow::FormWindow(Window* element, std::function<void()> closedByUser)
    : element_(element), closedByUser_(std::move(closedByUser)) {
    if (element_ != nullptr)
        element_->setObserver(this);
}

FormWindow::~FormWindow() {
    detach();
}

void FormWindow::detach() {
    if (element_ != nullptr)
        element_->setObserver(nullptr);
    element_ = nullptr;
    closedByUser_ = nullptr;
}

void FormWindow::followElement() {
    if (element_ == nullptr || closing_)
        return;
    if (!element_->visible()) {
        hide();
        keepsProgramRunning_.reset();
        // Hiding the last visible window would leave a process nobody can see or end. A
        // released event-loop lock makes Qt quit exactly when no window shows any more,
        // as closing the last window does; outside the event loop it does nothing.
        { QEventLoopLocker lastWindowCheck; }
        return;
    }
    if (firstFocus_ != nullptr)
        firstFocus_->setFocus(Qt::OtherFocusReason);
    if (offTaskbar_)
        keepOffTaskbar(*this);
    show();
    // Whether a newly mapped window gets the focus is the window manager's choice, and openbox
    // never gives it to a normal window kept off the taskbar. The window asks for it instead,
    // with the time of the user's last action, as a program's window that the user just opened
    // may; the window manager's focus-stealing prevention still judges the request.
    activateWindow();
    // Qt does not count a window with an owner (a window kept off the taskbar on Windows) when
    // it decides whether the last window has closed: such a window keeps the program running
    // itself while it shows.
    if (windowHandle()->transientParent() != nullptr && !keepsProgramRunning_)
        keepsProgramRunning_.emplace();
}

void FormWindow::elementChanged(Element&, Property property) {
    if (property == Property::Visible)
        followElement();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    // Only a shown window can be closed by its user; the application closes hidden ones on
    // its way out, and that is nobody's business.
    if (!isVisible())
        return;
    closing_ = true;
    keepsProgramRunning_.reset();
    if (element_ != nullptr)
        element_->setVisible(false);
    closing_ = false;
    if (closedByUser_)
        closedByUser_();
}

} // namespace forms::qt
