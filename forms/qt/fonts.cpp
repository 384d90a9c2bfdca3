// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/fonts.h"

#include "forms/geometry.h"
#include "forms/qt/qt_text.h"

#include <QFontDatabase>
#include <QString>
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

// The Windows families the faces name, and what draws them where they are missing: on
// Windows, Windows' own Japanese families after the rounded look-alike (Windows has no rounded
// Japanese family but the one that comes with Office); elsewhere Debian's families.
constexpr Substitute substitutes[] = {
#ifdef Q_OS_WIN
    {u"HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "Meiryo UI", "Yu Gothic UI", "MS PGothic"}},
    {u"ＭＳ Ｐゴシック", {"MS PGothic", "Yu Gothic UI", "Meiryo UI", "IPAPGothic"}},
#else
    {u"HG丸ｺﾞｼｯｸM-PRO", {"MotoyaLMaru", "IPAPGothic"}},
    {u"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic"}},
#endif
};

// What a Japanese Windows uses for dialogs when a form names no font.
constexpr std::u16string_view defaultDialogFamily = u"ＭＳ Ｐゴシック";
constexpr double defaultDialogPoints = 9;

constexpr double pixelsPerPoint = static_cast<double>(PixelsPerInch) / PointsPerInch;

// The family to ask Qt for: the face's own where it is installed (hasFamily() also knows a
// family by its localised name), else the first installed stand-in, else the system's font for
// text, named directly rather than as a Qt substitution. Qt has fontconfig rank every installed
// font as fallbacks, on the way to the first frame, whenever a font names a family it lacks or
// more than one family; with one installed family only for a glyph the family lacks. And a
// family Qt lacks may fall back to any font: under Wine without Windows' fonts, to a math font
// whose glyph boxes are so tall that Qt's line edit centres the text out of sight.
QString resolve(std::u16string_view family, std::initializer_list<const char*> standIns) {
    QString own = toQString(family);
    if (QFontDatabase::hasFamily(own))
        return own;
    // Stand-ins go by their own names; unlike hasFamily(), the list asks fontconfig nothing.
    const QStringList installed = QFontDatabase::families();
    for (const char* name : standIns) {
        QString standIn = QString::fromLatin1(name);
        if (installed.contains(standIn, Qt::CaseInsensitive))
            return standIn;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QString familyFor(std::u16string_view family) {
    // Qt knows no vertical-writing faces ("@" and the family's name): text in one is drawn
    // upright in its family.
    if (family.starts_with(u'@'))
        family.remove_prefix(1);
    const auto* substitute = std::ranges::find(substitutes, family, &Substitute::family);
    if (substitute == std::end(substitutes))
        return resolve(family, {});
    static std::optional<QString> resolved[std::size(substitutes)];
    std::optional<QString>& chosen = resolved[substitute - std::begin(substitutes)];
    if (!chosen)
        chosen = resolve(substitute->family, substitute->standIns);
    return *chosen;
}

} // namespace

QFont faceFont(const Font& font) {
    const bool useDefault = font.name.empty();
    QFont result;
    result.setFamily(familyFor(useDefault ? defaultDialogFamily : font.name));
    const double points = useDefault || font.points <= 0 ? defaultDialogPoints : font.points;
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    // Face texts are digits, operators and Japanese words, which draw the same unshaped; Qt
    // still shapes the scripts that need it. Unshaped text spares each font's OpenType tables
    // being read on the way to the first frame.
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

} // namespace forms::qt
