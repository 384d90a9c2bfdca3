#include "forms/qt/fonts.h"

#include "forms/qt/qt_text.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string_view>

namespace forms::qt {
namespace {

struct Substitute {
    std::u16string_view family;
    std::initializer_list<const char*> standIns; // first choice first
};

// The Windows families the faces name, and what draws them where they are missing.
// The vertical-writing face ("@…") is drawn upright with its family's stand-in.
const Substitute substitutes[] = {
    {u"HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "IPAPGothic"}},
    {u"@HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "IPAPGothic"}},
    {u"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic"}},
};

// What a Japanese Windows uses for dialogs when a form names no font.
constexpr std::u16string_view defaultDialogFamily = u"ＭＳ Ｐゴシック";
constexpr double defaultDialogPoints = 9;

constexpr double pixelsPerPoint = 96.0 / 72.0;

} // namespace

void installFontSubstitutes() {
    static const bool installed = [] {
        for (const Substitute& substitute : substitutes) {
            QStringList standIns;
            for (const char* standIn : substitute.standIns)
                standIns << QString::fromLatin1(standIn);
            QFont::insertSubstitutions(toQString(substitute.family), standIns);
        }
        return true;
    }();
    (void)installed;
}

QFont faceFont(const Font& font) {
    const bool useDefault = font.name.empty();
    QFont result(toQString(useDefault ? defaultDialogFamily : font.name));
    const double points = useDefault || font.points <= 0 ? defaultDialogPoints : font.points;
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    result.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    return result;
}

} // namespace forms::qt
