#include "main_window.h"

#include "face_points.h"

#include <QApplication>
#include <QTest>
#include <stdexcept>

namespace gui_test {

QList<QWidget*> visibleWindows(const QString& objectName) {
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == objectName)
            found.push_back(widget);
    }
    return found;
}

void clickAt(QWidget* widget, QPoint point) {
    QWidget* target = widget->childAt(point);
    if (target == nullptr)
        target = widget;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(widget, point));
}

void pressKey(QWidget* client, std::u16string_view caption) {
    clickAt(client, pixels(form1Key(caption).label->rect).center());
}

Snapshot::Snapshot(QWidget* client) : image_(client->grab().toImage()) {}

QColor Snapshot::at(QPoint point) const {
    const qreal scale = image_.devicePixelRatio();
    return image_.pixelColor(qRound((point.x() + 0.5) * scale - 0.5),
                             qRound((point.y() + 0.5) * scale - 0.5));
}

MainWindow::MainWindow() {
    form_.start();
    const QList<QWidget*> windows = visibleWindows(QStringLiteral("Form1"));
    if (windows.size() != 1)
        throw std::runtime_error("Form1's window is not shown once");
    window_ = windows.front();
    // The client area is what the display lines and the key labels lie on.
    const auto* text1 = window_->findChild<QLineEdit*>(QStringLiteral("Text1"));
    if (text1 == nullptr)
        throw std::runtime_error("Form1's window has no Text1");
    client_ = text1->parentWidget();
}

QLineEdit* MainWindow::line(const char* name) const {
    return client_->findChild<QLineEdit*>(QLatin1String(name));
}

QAction* MainWindow::menuItem(const char* name) const {
    return window_->findChild<QAction*>(QLatin1String(name));
}

void MainWindow::press(std::u16string_view caption) {
    pressKey(client_, caption);
}

void MainWindow::press(std::initializer_list<std::u16string_view> captions) {
    for (std::u16string_view caption : captions)
        press(caption);
}

void MainWindow::startCalculation(std::u16string formula, std::u16string entry) {
    engine::Calculator& calculator = form_.calculator;
    calculator.ClrMode = engine::PendingClear::None;
    calculator.RenzokuMode = engine::OperatorLock::Off;
    calculator.EnzanKind = engine::Operator::None;
    calculator.ValA = calculator.ValB = 0;
    form_.Text1.setText(std::move(formula));
    form_.Text2.setText(std::move(entry));
}

} // namespace gui_test
