// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/accessibility.h"

#include "forms/qt/announcement.h"
#include "forms/qt/form_window.h"
#include "forms/qt/key_label.h"
#include "forms/qt/text_box_accessible.h"
#include "forms/qt/text_box_edit.h"

#include <QAccessibleWidget>

namespace forms::qt {
namespace {

class KeyLabelAccessible final : public QAccessibleWidget {
  public:
    explicit KeyLabelAccessible(KeyLabel* label) : QAccessibleWidget(label, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return label()->pressable() ? QAccessible::Button : QAccessible::StaticText;
    }

    QStringList actionNames() const override {
        if (!label()->pressable())
            return {};
        return {pressAction()};
    }

    // Qt's own button press is an animated click, which merges presses that come within 100
    // milliseconds into one. This one clicks exactly once per press, from the event loop: the
    // caller waits for the action to return, and a key may open a modal message box.
    void doAction(const QString& action) override {
        if (action != pressAction() || !label()->pressable() || !label()->isEnabled())
            return;
        // Posted to the key itself, so the click is dropped if the key goes first.
        QMetaObject::invokeMethod(label(), &QAbstractButton::click, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    KeyLabel* label() const { return static_cast<KeyLabel*>(widget()); }
};

QAccessibleInterface* describe(const QString&, QObject* object) {
    if (auto* label = dynamic_cast<KeyLabel*>(object))
        return new KeyLabelAccessible(label);
    if (auto* line = dynamic_cast<TextBoxEdit*>(object))
        return describeTextBox(line);
    if (auto* window = dynamic_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* announcement = dynamic_cast<Announcement*>(object))
        return new QAccessibleWidget(announcement, QAccessible::Notification);
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(describe);
}

} // namespace forms::qt
