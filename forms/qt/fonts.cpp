#include "forms/qt/fonts.h"

#include "forms/qt/qt_text.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace forms::qt {
namespace {

struct Substitute {
    std::u16string_view family;
    std::initializer_list<const char*> standIns; // first choice first
};

// The Windows families the faces name, and what draws them where they are missing.
// The vertical-writing face ("@…") is drawn upright with its family's stand-in.
constexpr Substitute substitutes[] = {
    {u"HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "IPAPGothic"}},
    {u"@HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "IPAPGothic"}},
    {u"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic"}},
};

// What a Japanese Windows uses for dialogs when a form names no font.
constexpr std::u16string_view defaultDialogFamily = u"ＭＳ Ｐゴシック";
constexpr double defaultDialogPoints = 9;

constexpr double pixelsPerPoint = 96.0 / 72.0;

// The families to ask Qt for: the face's own where it is installed, else its stand-ins. The
// stand-ins are named directly rather than as Qt substitutions: for a family it lacks, Qt first
// has fontconfig rank every installed font as a fallback, on the way to the first frame.
QStringList familiesFor(std::u16string_view family) {
    const auto* substitute = std::ranges::find(substitutes, family, &Substitute::family);
    if (substitute == std::end(substitutes))
        return {toQString(family)};
    static std::optional<bool> installed[std::size(substitutes)];
    std::optional<bool>& known = installed[substitute - std::begin(substitutes)];
    if (!known)
        known = QFontDatabase::hasFamily(toQString(family));
    if (*known)
        return {toQString(family)};
    QStringList standIns;
    for (const char* standIn : substitute->standIns)
        standIns << QString::fromLatin1(standIn);
    return standIns;
}

} // namespace

QFont faceFont(const Font& font) {
    const bool useDefault = font.name.empty();
    QFont result;
    result.setFamilies(familiesFor(useDefault ? defaultDialogFamily : font.name));
    const double points = useDefault || font.points <= 0 ? defaultDialogPoints : font.points;
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    result.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    return result;
}

} // namespace forms::qt
