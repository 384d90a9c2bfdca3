// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The paint-rate driver of bench/run.sh: ぽこたま's main window on the Qt renderer, started as
// the program starts it, with its paint events counted from outside the widgets by an
// application-wide event filter. Once a second it prints "paints/s canvas=N text=M" to stderr:
// the paint events of the face canvas (window background, key faces, lamps) and of the display
// lines in the second before. The program's pictures are left out: the main window shows none.
#include "app/form1.h"
#include "forms/qt/application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

class PaintRate final : public QObject {
  public:
    explicit PaintRate(QObject* parent) : QObject(parent) {
        QCoreApplication::instance()->installEventFilter(this);
        connect(&second_, &QTimer::timeout, this, [this] {
            std::fprintf(stderr, "paints/s canvas=%d text=%d\n", canvas_, text_);
            canvas_ = 0;
            text_ = 0;
        });
        second_.start(1000);
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (qobject_cast<QLineEdit*>(object) != nullptr)
                ++text_;
            else if (object->objectName() == QLatin1String("canvas"))
                ++canvas_;
        }
        return false;
    }

  private:
    QTimer second_;
    int canvas_ = 0;
    int text_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    forms::qt::ApplicationInfo info{};
    info.name = u"ぽこたま";
    return forms::qt::runApplication(argc, argv, info, [](forms::Platform& platform) {
        new PaintRate(QCoreApplication::instance()); // goes with the application
        auto form = std::make_unique<Form1>(platform);
        form->start();
        return std::unique_ptr<forms::Form>(std::move(form));
    });
}
