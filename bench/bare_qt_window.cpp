// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-up reference for the benchmark: a bare Qt 6 window of ぽこたま's size with as many
// widgets and timers (a menu bar with one menu, two line edits, 19 labels, two running timers)
// and nothing else, made with Qt's defaults and drawn by its default style: what Qt itself costs
// to start a window of this shape, on the same machine.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(&window);
    menuBar->addMenu(QStringLiteral("バージョン"));
    layout->setMenuBar(menuBar);
    auto* client = new QWidget;
    client->setFixedSize(707, 597);
    layout->addWidget(client);
    (new QLineEdit(client))->setGeometry(16, 24, 649, 65);
    (new QLineEdit(client))->setGeometry(16, 104, 649, 49);
    for (int i = 0; i < 19; ++i)
        (new QLabel(QString::number(i % 10), client))
            ->setGeometry(88 + i % 5 * 90, 240 + i / 5 * 80, 80, 72);
    QTimer lamps;
    QTimer flash;
    lamps.start(100);
    flash.start(200);
    window.show();
    return QApplication::exec();
}
