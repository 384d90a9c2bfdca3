// The program's pictures decode with Qt's own PNG reader, without loading image-format plugins.
#include "forms/qt/png_image.h"
#include "image_format_plugins.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace forms::qt {
namespace {

// One pixel wide, two high: orange over blue, 8-bit RGBA.
const char twoPixels[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00"
    "\x00\x02\x08\x06\x00\x00\x00\x99\x81\xb6\x27\x00\x00\x00\x12\x49\x44\x41\x54\x78\x9c\x63"
    "\xf8\xdf\xc0\xf0\x9f\x81\x81\xe1\xff\x7f\x00\x15\xf8\x04\x7d\x94\xfe\x23\x43\x00\x00\x00"
    "\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

QPixmap decode(const QByteArray& bytes) {
    return decodePng({reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size())});
}

QImage decoded(const QByteArray& bytes) {
    return decode(bytes).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(PngImage, DecodesThePicture) {
    const QImage image = decoded(QByteArray(twoPixels, sizeof twoPixels - 1));
    ASSERT_EQ(image.size(), QSize(1, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 128, 0));
    EXPECT_EQ(image.pixelColor(0, 1), QColor(0, 0, 255));
}

TEST(PngImage, DecodesWithoutLoadingImageFormatPlugins) {
    const std::optional<int> before = testing::imageFormatPluginsLoaded();
    if (!before)
        GTEST_SKIP() << "cannot tell here (a static Qt has its plugins linked in)";
    EXPECT_FALSE(decoded(QByteArray(twoPixels, sizeof twoPixels - 1)).isNull());
    EXPECT_EQ(testing::imageFormatPluginsLoaded(), before);
}

TEST(PngImage, AnythingElseIsNoPicture) {
    const QByteArray png(twoPixels, sizeof twoPixels - 1);
    for (const QByteArray& bytes : {QByteArray(), png.first(40), QByteArray("GIF89a"), png.mid(8)})
        EXPECT_TRUE(decode(bytes).isNull()) << bytes.size();
}

} // namespace
} // namespace forms::qt
