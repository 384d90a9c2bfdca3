// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/application.h"

#include "forms/qt/deferred_icon_style.h"
#include "forms/qt/font_configuration_warm_up.h"
#include "forms/qt/platform_choice.h"
#include "forms/qt/png_image.h"
#include "forms/qt/qt_platform.h"
#include "forms/qt/qt_text.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <utility>

namespace forms::qt {
namespace {

constexpr int LongestWaitForPaintMs = 500;

// Runs a task once the event loop has painted the first window, or after half a second where
// none is painted (a window started minimized), so that work the first frame does not need
// stays off the way to it.
class AfterFirstPaint final : public QObject {
  public:
    explicit AfterFirstPaint(std::function<void()> task) : task_(std::move(task)) {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(LongestWaitForPaintMs, this, &AfterFirstPaint::run);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued behind the rest of the window's paint and its flush to the screen.
            QTimer::singleShot(0, this, &AfterFirstPaint::run);
        }
        return false;
    }

  private:
    void run() {
        QCoreApplication::instance()->removeEventFilter(this);
        if (task_)
            std::exchange(task_, {})();
    }

    std::function<void()> task_;
};

} // namespace

int runApplication(int& argc, char** argv, const ApplicationInfo& info, const Startup& start) {
    const FontConfigurationWarmUp fontConfiguration; // first: it runs while Qt starts
    choosePlatform();
    QApplication application(argc, argv);
    QApplication::setStyle(new DeferredIconStyle);
    QApplication::setApplicationName(toQString(info.name));
    QGuiApplication::setDesktopFileName(toQString(info.desktopFileName));
    // The icon is for the taskbar and the window manager, which take it as well a moment later.
    AfterFirstPaint setIcon([&info] {
        if (!info.images)
            return;
        QIcon icon;
        for (std::string_view name : info.iconNames) {
            if (const QPixmap image = decodePng(info.images(name)); !image.isNull())
                icon.addPixmap(image);
        }
        QApplication::setWindowIcon(icon);
    });

    QtPlatform platform(info.images);
    const std::unique_ptr<Form> first = start(platform); // goes before the platform
    return QApplication::exec();
}

} // namespace forms::qt
