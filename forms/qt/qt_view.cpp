// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/qt_view.h"

#include "forms/geometry.h"
#include "forms/qt/announcement.h"
#include "forms/qt/dialog_button.h"
#include "forms/qt/face_canvas.h"
#include "forms/qt/fonts.h"
#include "forms/qt/form_window.h"
#include "forms/qt/key_bindings.h"
#include "forms/qt/key_label.h"
#include "forms/qt/png_image.h"
#include "forms/qt/qt_text.h"
#include "forms/qt/taskbar.h"
#include "forms/qt/text_box_edit.h"
#include "forms/qt/window_frame.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmapCache>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace forms::qt {
namespace {

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

QRect pixels(const Rect& twips) {
    const int left = pixels(twips.left);
    const int top = pixels(twips.top);
    return {left, top, pixels(twips.right()) - left, pixels(twips.bottom()) - top};
}

// A picture box's sunken border is as wide as Windows draws a client edge (SM_CXEDGE).
constexpr int ClientEdgePixels = 2;

// Menu captions show '&' as it is: they have no access keys.
QString menuText(std::u16string_view caption) {
    return toQString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

// The height the window's layout gives its menu bar at that width: some styles (Windows') make
// it taller than the bar's size hint.
int menuBarHeight(const QWidget* menuBar, int width) {
    if (menuBar == nullptr)
        return 0;
    const int height = menuBar->heightForWidth(width);
    return height >= 0 ? height : menuBar->sizeHint().height();
}

// Decoded once and then shared: a window made anew gets the same pixmap, so what Qt caches
// for it is found again instead of piling up under new keys.
QPixmap pixmapOf(const ImageProvider& images, std::string_view name) {
    QPixmap pixmap;
    if (!images || name.empty())
        return pixmap;
    const std::span<const unsigned char> bytes = images(name);
    const QString key = QStringLiteral("forms-qt-image-%1-%2")
                            .arg(qHashBits(bytes.data(), bytes.size()))
                            .arg(bytes.size());
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = decodePng(bytes);
        if (!pixmap.isNull())
            QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

class ShapeBinding final : public ElementObserver {
  public:
    ShapeBinding(Shape& shape, FaceCanvas& canvas, int item)
        : shape_(shape), canvas_(canvas), item_(item) {
        shape_.setObserver(this);
    }
    ~ShapeBinding() override { shape_.setObserver(nullptr); }
    void elementChanged(Element&, Property property) override {
        if (property == Property::BackColor)
            canvas_.setFill(item_, shape_.backColor());
    }

  private:
    Shape& shape_;
    FaceCanvas& canvas_;
    int item_;
};

class TimerBinding final : public ElementObserver {
  public:
    TimerBinding(Timer* element, int interval, QObject* receiver, std::function<void()> tick)
        : element_(element) {
        QObject::connect(&timer_, &QTimer::timeout, receiver, std::move(tick));
        if (element_ != nullptr)
            element_->setObserver(this);
        follow(interval);
    }
    ~TimerBinding() override {
        if (element_ != nullptr)
            element_->setObserver(nullptr);
    }
    void elementChanged(Element&, Property property) override {
        if (property == Property::Interval)
            follow(element_->interval());
    }

  private:
    void follow(int interval) {
        if (interval > 0)
            timer_.start(interval);
        else
            timer_.stop();
    }
    Timer* element_;
    QTimer timer_;
};

} // namespace

QtView::QtView(const FaceDesign& face, Form& form, const ImageProvider& images)
    : form_(form), receiver_(std::make_unique<QObject>()) {
    auto* element = dynamic_cast<Window*>(form.find(face.window.name));
    window_ = new FormWindow(element, [this] {
        // After the close event has been handled: the form may destroy this view.
        QMetaObject::invokeMethod(
            receiver_.get(), [this] { callForm([this] { form_.closedByUser(); }); },
            Qt::QueuedConnection);
    });
    build(face, images);
    window_->followElement();
}

QtView::~QtView() {
    window_->detach();
    for (TextBoxEdit* textBox : textBoxes_)
        textBox->detach();
    bindings_.clear();
    receiver_.reset();
    window_->hide();
    if (*formCalls_ > 0)
        window_->deleteLater(); // one of its widgets is still handling an event
    else
        delete window_;
}

void QtView::announce(std::u16string_view text) {
    // After Return or Enter a screen reader reads the focused line's new text itself (Orca
    // does): announced as well, the text would be heard twice.
    if (keyBindings_ != nullptr && keyBindings_->clickingByEnter())
        return;
    forms::qt::announce(*window_, toQString(text));
}

QWidget* QtView::window() const {
    return window_;
}

void QtView::build(const FaceDesign& face, const ImageProvider& images) {
    const WindowDesign& design = face.window;
    Qt::WindowFlags flags = design.taskbarButton ? Qt::Window : typeWithoutTaskbarButton();
    if (design.border == Border::FixedDialog)
        flags |= fixedSizeFrame();
    window_->setWindowFlags(flags);
    window_->setOffTaskbar(!design.taskbarButton);
    // Every window of a face is a main window of its own: a tool window would not keep the
    // program running otherwise.
    window_->setAttribute(Qt::WA_QuitOnClose, true);
    window_->setObjectName(toQString(design.name));
    window_->setWindowTitle(toQString(design.caption));

    auto* canvas = new FaceCanvas(design.backColor,
                                  QSize(pixels(design.clientWidth), pixels(design.clientHeight)));
    canvas->setObjectName(QStringLiteral("canvas"));
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* menuBar = buildMenuBar(face);
    if (menuBar != nullptr)
        layout->setMenuBar(menuBar);
    layout->addWidget(canvas);

    std::vector<std::pair<int, QWidget*>> tabOrder;
    std::vector<QWidget*> windowed; // lie above every label, as windowed controls do
    for (const ElementDesign& element : face.elements) {
        QWidget* widget = buildElement(element, *canvas, images);
        if (widget == nullptr)
            continue;
        widget->setObjectName(toQString(element.name));
        widget->setGeometry(pixels(element.rect));
        if (element.kind != Kind::Label) {
            windowed.push_back(widget);
            if (!element.accessibleName.empty())
                widget->setAccessibleName(toQString(element.accessibleName));
        }
        if (element.tabIndex >= 0) {
            widget->setFocusPolicy(Qt::StrongFocus);
            tabOrder.emplace_back(element.tabIndex, widget);
        } else {
            widget->setFocusPolicy(element.kind == Kind::TextBox ? Qt::ClickFocus : Qt::NoFocus);
        }
    }
    for (QWidget* widget : windowed)
        widget->raise();
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    if (!tabOrder.empty())
        window_->setFirstFocus(tabOrder.front().second);
    if (keyBindings_ != nullptr)
        keyBindings_->watchWindow();

    place(design, canvas->sizeHint(), menuBarHeight(menuBar, canvas->sizeHint().width()));
}

QWidget* QtView::buildMenuBar(const FaceDesign& face) {
    QMenuBar* bar = nullptr;
    std::vector<std::pair<std::string_view, QMenu*>> menus;
    for (const ElementDesign& element : face.elements) {
        if (element.kind != Kind::Menu)
            continue;
        // Menus take their font from the face like any element: by default the dialog font,
        // which draws Japanese captions itself rather than through a fallback font.
        if (bar == nullptr) {
            bar = new QMenuBar(window_);
            bar->setNativeMenuBar(false); // the client area lies below it, in the window
            bar->setFont(faceFont(element.font));
        }
        QMenu* menu = bar->addMenu(menuText(element.caption));
        menu->setObjectName(toQString(element.name));
        menu->setFont(faceFont(element.font));
        menus.emplace_back(element.name, menu);
    }
    for (const ElementDesign& element : face.elements) {
        if (element.kind != Kind::MenuItem)
            continue;
        auto menu = std::find_if(menus.begin(), menus.end(),
                                 [&](const auto& entry) { return entry.first == element.parent; });
        if (menu == menus.end())
            continue;
        QAction* item = menu->second->addAction(menuText(element.caption));
        item->setObjectName(toQString(element.name));
        connectClick(item, element);
    }
    return bar;
}

QWidget* QtView::buildElement(const ElementDesign& element, FaceCanvas& canvas,
                              const ImageProvider& images) {
    switch (element.kind) {
    case Kind::Shape: {
        auto* shape = dynamic_cast<Shape*>(form_.find(element.name, element.index));
        const int item = canvas.addShape(pixels(element.rect), element.shape,
                                         shape != nullptr ? shape->backColor() : element.backColor,
                                         element.outline);
        if (shape != nullptr)
            bindings_.push_back(std::make_unique<ShapeBinding>(*shape, canvas, item));
        return nullptr;
    }
    case Kind::Line: {
        const Rect& r = element.rect;
        canvas.addLine(QLine(pixels(r.left), pixels(r.top), pixels(r.right()), pixels(r.bottom())),
                       element.foreColor);
        return nullptr;
    }
    case Kind::Timer: {
        auto* timer = dynamic_cast<Timer*>(form_.find(element.name, element.index));
        bindings_.push_back(std::make_unique<TimerBinding>(
            timer, timer != nullptr ? timer->interval() : element.interval, receiver_.get(),
            [this, name = std::string(element.name), index = element.index] { run(name, index); }));
        return nullptr;
    }
    case Kind::Label: {
        auto* label = new KeyLabel(element, &canvas);
        label->setAccessibleName(
            toQString(element.accessibleName.empty() ? element.caption : element.accessibleName));
        // A label nobody handles is plain text to assistive technology, not a button.
        label->setPressable(form_.handler(element.name, element.index) != nullptr);
        connectClick(label, element);
        bindKeyboardKeys(element.keyboardKeys, label);
        return label;
    }
    case Kind::TextBox: {
        auto* textBox = new TextBoxEdit(
            element, dynamic_cast<TextBox*>(form_.find(element.name, element.index)), &canvas);
        textBoxes_.push_back(textBox);
        return textBox;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(&canvas);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(ClientEdgePixels);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(pixmapOf(images, element.picture));
        return picture;
    }
    case Kind::Button: {
        auto* button = new DialogButton(toQString(element.caption), &canvas);
        button->setFont(faceFont(element.font));
        connectClick(button, element);
        return button;
    }
    case Kind::Menu:
    case Kind::MenuItem:
        break; // on the menu bar
    }
    return nullptr;
}

void QtView::connectClick(QObject* sender, const ElementDesign& design) {
    auto click = [this, name = std::string(design.name), index = design.index] {
        run(name, index);
    };
    if (auto* button = qobject_cast<QAbstractButton*>(sender))
        QObject::connect(button, &QAbstractButton::clicked, receiver_.get(), [this, click] {
            // A key works on the text the lines hold, which is not what a line shows while an
            // input method composes in it: the key is refused until the user confirms.
            if (composing()) {
                TextBoxEdit::refusalSound();
                return;
            }
            click();
        });
    else if (auto* action = qobject_cast<QAction*>(sender))
        QObject::connect(action, &QAction::triggered, receiver_.get(), click);
}

bool QtView::composing() const {
    return std::any_of(textBoxes_.begin(), textBoxes_.end(),
                       [](const TextBoxEdit* line) { return line->composing(); });
}

void QtView::bindKeyboardKeys(const KeyboardKeys& keys, KeyLabel* label) {
    for (const std::optional<KeyboardKey>& key : keys) {
        if (!key)
            continue;
        if (keyBindings_ == nullptr)
            keyBindings_ = new KeyBindings(window_);
        keyBindings_->bind(*key, label);
    }
    label->setAccessibleDescription(spokenKeys(keys));
}

void QtView::place(const WindowDesign& design, QSize client, int menuBarHeight) {
    const QSize size(client.width(), client.height() + menuBarHeight);
    if (design.border == Border::FixedDialog)
        window_->setFixedSize(size);
    else
        window_->resize(size);
    if (design.screenPlace) {
        // The design places the client area, below the menu bar, on the primary screen.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QPoint origin = screen != nullptr ? screen->geometry().topLeft() : QPoint();
        const QPoint client(pixels(design.screenPlace->x), pixels(design.screenPlace->y));
        window_->setGeometry(QRect(origin + client - QPoint(0, menuBarHeight), size));
    }
}

void QtView::run(const std::string& name, int index) {
    if (const Handler* handler = form_.handler(name, index))
        callForm(*handler);
}

void QtView::callForm(const std::function<void()>& call) {
    const std::shared_ptr<int> calls = formCalls_; // outlives this view if the call destroys it
    ++*calls;
    call();
    --*calls;
}

} // namespace forms::qt
