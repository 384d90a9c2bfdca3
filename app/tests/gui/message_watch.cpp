#include "message_watch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace gui_test {

MessageWatch::MessageWatch() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        seen_.push_back(box->text());
        box->button(QMessageBox::Ok)->click();
    });
    poll_.start(5);
}

MessageWatch::~MessageWatch() = default;

QStringList MessageWatch::take() {
    QStringList taken;
    taken.swap(seen_);
    return taken;
}

} // namespace gui_test
