#include "forms/qt/png_image.h"

#include <QBuffer>
#include <QImageReader>

namespace forms::qt {

QPixmap decodePng(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace forms::qt
