#include "forms/qt/application.h"

#include "forms/qt/deferred_icon_style.h"
#include "forms/qt/font_configuration_warm_up.h"
#include "forms/qt/png_image.h"
#include "forms/qt/qt_text.h"

#include <QApplication>
#include <QIcon>

namespace forms::qt {

int runApplication(int& argc, char** argv, const ApplicationInfo& info, const Startup& start) {
    const FontConfigurationWarmUp fontConfiguration; // first: it runs while Qt starts
    QApplication application(argc, argv);
    QApplication::setStyle(new DeferredIconStyle);
    QApplication::setApplicationName(toQString(info.name));
    QGuiApplication::setDesktopFileName(toQString(info.desktopFileName));
    if (info.images) {
        QIcon icon;
        for (std::string_view name : info.iconNames) {
            if (const QPixmap image = decodePng(info.images(name)); !image.isNull())
                icon.addPixmap(image);
        }
        QApplication::setWindowIcon(icon);
    }

    QtPlatform platform(info.images);
    const std::unique_ptr<Form> first = start(platform); // goes before the platform
    return QApplication::exec();
}

} // namespace forms::qt
