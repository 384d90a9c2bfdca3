#include "forms/qt/paint_counter.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace forms::qt {

void PaintCounter::startIfAsked() {
    static const bool started = [] {
        enabled_ = qEnvironmentVariableIsSet("POKOTAMA_COUNT_PAINTS");
        if (enabled_) {
            auto* second = new QTimer(QCoreApplication::instance());
            QObject::connect(second, &QTimer::timeout, [] {
                std::fprintf(stderr, "paints/s canvas=%d text=%d\n", canvas_, text_);
                canvas_ = 0;
                text_ = 0;
            });
            second->start(1000);
        }
        return true;
    }();
    (void)started;
}

} // namespace forms::qt
