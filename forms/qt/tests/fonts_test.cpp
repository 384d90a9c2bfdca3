// The Windows font families of the faces are drawn by their stand-ins, sized at 96 dpi.
#include "forms/qt/fonts.h"
#include "qt_printers.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace forms::qt {
namespace {

TEST(Fonts, WindowsFamiliesGetTheirStandInsAtPixelSizesOf96Dpi) {
    struct Row {
        Font font;
        QString family;
        int pixels;
    };
    const Row rows[] = {
        {{u"HG丸ｺﾞｼｯｸM-PRO", 48}, "MotoyaLMaru", 64},
        {{u"@HG丸ｺﾞｼｯｸM-PRO", 48}, "MotoyaLMaru", 64},
        {{u"HG丸ｺﾞｼｯｸM-PRO", 27.75}, "MotoyaLMaru", 37},
        {{u"ＭＳ Ｐゴシック", 12}, "IPAPGothic", 16},
        {{}, "IPAPGothic", 12}, // the default dialog font
    };
    for (const Row& row : rows) {
        const QFont font = faceFont(row.font);
        EXPECT_EQ(font.pixelSize(), row.pixels);
        EXPECT_EQ(font.weight(), QFont::Normal);
        if (QFontDatabase::hasFamily(row.family))
            EXPECT_EQ(QFontInfo(font).family(), row.family);
        else
            ADD_FAILURE() << row.family.toStdString() << " is not installed";
    }
}

} // namespace
} // namespace forms::qt
