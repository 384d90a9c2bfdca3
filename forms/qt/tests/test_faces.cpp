#include "test_faces.h"

#include <QBuffer>
#include <QImage>

namespace forms::qt::testing {
namespace {

constexpr Font maru48{u"HG丸ｺﾞｼｯｸM-PRO", 48};
constexpr Font vertical48{u"@HG丸ｺﾞｼｯｸM-PRO", 48};
constexpr Font maru27{u"HG丸ｺﾞｼｯｸM-PRO", 27.75};
constexpr Font gothic12{u"ＭＳ Ｐゴシック", 12};

constexpr ElementDesign mainElements[] = {
    // Text boxes come first here, yet lie above every label.
    {.kind = Kind::TextBox,
     .name = "Text2",
     .rect = {240, 360, 9735, 975},
     .foreColor = 0x008000,
     .backColor = 0x0080FF,
     .font = maru48,
     .alignment = Alignment::Right,
     .tabIndex = 1},
    {.kind = Kind::TextBox,
     .name = "Text1",
     .rect = {240, 1560, 9735, 735},
     .foreColor = 0xC00000,
     .backColor = 0x00FFFF,
     .font = maru27,
     .alignment = Alignment::Right,
     .tabIndex = 0},
    {.kind = Kind::Shape, .name = "LampB", .rect = {240, 2520, 615, 495}, .backColor = 0x00FF00},
    {.kind = Kind::Shape, .name = "LampC", .rect = {840, 2520, 615, 495}, .backColor = 0xFF0000},
    {.kind = Kind::Shape,
     .name = "FaceA",
     .rect = {1320, 3360, 1215, 1095},
     .backColor = 0x00FFFF,
     .shape = ShapeStyle::RoundedRectangle,
     .outline = Black},
    {.kind = Kind::Label,
     .name = "LabelA",
     .rect = {1440, 3360, 975, 1095},
     .caption = u"7",
     .foreColor = 0x0000FF,
     .font = vertical48,
     .keyboardKeys = {KeyboardKey::Keypad7}},
    {.kind = Kind::Shape,
     .name = "FaceD",
     .rect = {2640, 3360, 1215, 1095},
     .backColor = system_colour::WindowBackground,
     .shape = ShapeStyle::RoundedRectangle,
     .outline = system_colour::WindowText},
    {.kind = Kind::Label,
     .name = "Key",
     .index = 0,
     .rect = {2640, 3480, 1215, 975},
     .caption = u"C",
     .foreColor = 0x0000FF,
     .font = maru48},
    {.kind = Kind::Shape, .name = "FaceE", .rect = {3960, 3360, 1215, 1095}, .backColor = 0xC0C0C0},
    {.kind = Kind::Label,
     .name = "Key",
     .index = 1,
     .rect = {3960, 3360, 1215, 1095},
     .caption = u"＋",
     .foreColor = 0x00C000,
     .font = maru48,
     .keyboardKeys = {KeyboardKey::KeypadPlus, KeyboardKey::Return}},
    {.kind = Kind::Timer, .name = "Timer1", .interval = 0},
    {.kind = Kind::Timer, .name = "Timer2", .interval = 40},
    {.kind = Kind::Menu, .name = "Menu", .index = 0, .caption = u"メニュー"},
    {.kind = Kind::MenuItem, .name = "Item", .index = 1, .caption = u"項目&1", .parent = "Menu"},
};

constexpr ElementDesign dialogElements[] = {
    {.kind = Kind::Label,
     .name = "Title",
     .rect = {840, 120, 1455, 255},
     .caption = u"ぽこたま",
     .opaque = true,
     .font = gothic12,
     .alignment = Alignment::Left},
    {.kind = Kind::Picture,
     .name = "picIcon",
     .rect = {1200, 480, 540, 540},
     .tabIndex = 0,
     .picture = "pic"},
    {.kind = Kind::Label,
     .name = "lblVersion",
     .rect = {840, 1200, 1125, 225},
     .caption = u"ﾊﾞｰｼﾞｮﾝ1.0",
     .opaque = true,
     .alignment = Alignment::Left},
    {.kind = Kind::Line,
     .name = "Line1",
     .index = 1,
     .rect = {90, 1440, 5564, 0},
     .foreColor = 0x808080},
    {.kind = Kind::Button,
     .name = "Close",
     .rect = {960, 2760, 1215, 495},
     .caption = u"閉じる",
     .tabIndex = 1},
};

} // namespace

const FaceDesign& mainFace() {
    static const FaceDesign face{{.name = "Main",
                                  .caption = u"テスト",
                                  .backColor = 0x8080FF,
                                  .clientWidth = 10605,
                                  .clientHeight = 8955},
                                 mainElements};
    return face;
}

const FaceDesign& dialogFace() {
    static const FaceDesign face{{.name = "Dialog",
                                  .caption = u"ﾀﾞｲｱﾛｸﾞ",
                                  .clientWidth = 3450,
                                  .clientHeight = 3330,
                                  .border = Border::FixedDialog,
                                  .taskbarButton = false,
                                  .screenPlace = Point{2340, 1935}},
                                 dialogElements};
    return face;
}

std::span<const unsigned char> testImage(std::string_view) {
    static const QByteArray bytes = [] {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 255));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    }();
    return {reinterpret_cast<const unsigned char*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

} // namespace forms::qt::testing
