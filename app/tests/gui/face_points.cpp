#include "face_points.h"

#include "faces/form1_face.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace gui_test {
namespace {

int pixel(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / forms::TwipsPerPixel));
}

} // namespace

const forms::ElementDesign& form1Element(std::string_view name, int index) {
    const auto& elements = faces::form1Face().elements;
    const auto found = std::find_if(elements.begin(), elements.end(), [&](const auto& e) {
        return e.name == name && e.index == index;
    });
    if (found == elements.end())
        throw std::invalid_argument("no element " + std::string(name) + " on Form1's face");
    return *found;
}

QRect pixels(const forms::Rect& twips) {
    return QRect(QPoint(pixel(twips.left), pixel(twips.top)),
                 QPoint(pixel(twips.right()) - 1, pixel(twips.bottom()) - 1));
}

std::vector<KeyDesign> form1Keys() {
    std::vector<KeyDesign> keys;
    const auto& elements = faces::form1Face().elements;
    for (std::size_t i = 1; i < elements.size(); ++i) {
        if (elements[i].kind == forms::Kind::Label && elements[i - 1].kind == forms::Kind::Shape)
            keys.push_back({&elements[i], &elements[i - 1]});
    }
    return keys;
}

KeyDesign form1Key(std::u16string_view caption) {
    for (const KeyDesign& key : form1Keys()) {
        if (key.label->caption == caption)
            return key;
    }
    throw std::invalid_argument("no key with that caption");
}

std::vector<forms::Rect> deadStrips(const KeyDesign& key) {
    const forms::Rect& face = key.face->rect;
    const forms::Rect& label = key.label->rect;
    std::vector<forms::Rect> strips;
    auto add = [&](int left, int top, int right, int bottom) {
        if (right > left && bottom > top)
            strips.push_back({left, top, right - left, bottom - top});
    };
    add(face.left, face.top, label.left, face.bottom());         // left
    add(label.right(), face.top, face.right(), face.bottom());   // right
    add(face.left, face.top, face.right(), label.top);           // top
    add(face.left, label.bottom(), face.right(), face.bottom()); // bottom
    return strips;
}

QPoint faceSamplePoint(const KeyDesign& key) {
    const QRect face = pixels(key.face->rect);
    return {face.left() + 3, face.center().y()};
}

QPoint lampCentre(int n) {
    return pixels(form1Element("ShapeK" + std::to_string(n)).rect).center();
}

QPoint bareBackground() {
    const QRect column3 = pixels(form1Element("ShapeSuuzi9").rect);
    const QRect column4 = pixels(form1Element("ShapePura").rect);
    return {(column3.right() + column4.left()) / 2, column3.center().y()};
}

QPoint textBoxBackground(std::string_view name) {
    const QRect box = pixels(form1Element(name).rect);
    return {box.left() + 10, box.center().y()};
}

} // namespace gui_test
