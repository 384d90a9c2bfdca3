// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Takes the documentation's screenshots on a real X server: the main window after keying
// 12＋3× (both display lines show text), and the About window open over the main window.
// Usage: form1_screenshots OUTPUT_DIRECTORY (see scripts/make_screenshots.sh).
#include "app/tests/gui/form1_window.h"
#include "faces/images.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

// Saves what the screen shows in the frames of these windows.
bool saveScreen(std::initializer_list<QWidget*> windows, const QString& path) {
    QRect area;
    for (QWidget* window : windows)
        area |= window->frameGeometry();
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
        0, area.x(), area.y(), area.width(), area.height());
    const bool saved = picture.save(path, "PNG");
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2 || QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "usage: QT_QPA_PLATFORM=xcb form1_screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("ぽこたま"));
    const auto icon = faces::imageBytes("pokotama32");
    QApplication::setWindowIcon(
        QIcon(QPixmap::fromImage(QImage::fromData(icon.data(), static_cast<int>(icon.size())))));
    const QString directory = QString::fromLocal8Bit(argv[1]);

    gui_test::Form1Window main;
    if (!QTest::qWaitForWindowExposed(main.window()))
        return 1;
    main.press({u"1", u"2", u"＋", u"3", u"×"});
    QTest::qWait(700); // the key flash is over and the lamps chase
    bool saved = saveScreen({main.window()}, directory + "/form1-calculating.png");

    QWidget* about = main.chooseVersion();
    if (about == nullptr || !QTest::qWaitForWindowExposed(about))
        return 1;
    QTest::qWait(500);
    saved = saveScreen({main.window(), about}, directory + "/about.png") && saved;
    return saved ? 0 : 1;
}
