#include "forms/qt/application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace forms::qt {

int runApplication(int& argc, char** argv, const ApplicationInfo& info, const Startup& start) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(
        QString::fromUtf16(info.name.data(), static_cast<qsizetype>(info.name.size())));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(
        info.desktopFileName.data(), static_cast<qsizetype>(info.desktopFileName.size())));
    if (info.images) {
        QIcon icon;
        for (std::string_view name : info.iconNames) {
            QPixmap image;
            if (image.loadFromData(info.images(name), "PNG"))
                icon.addPixmap(image);
        }
        QApplication::setWindowIcon(icon);
    }

    QtPlatform platform(info.images);
    const std::unique_ptr<Form> first = start(platform);
    return QApplication::exec();
}

} // namespace forms::qt
