// The deferred standard icons look exactly like the wrapped style's own.
#include "forms/qt/deferred_icon_style.h"

#include <QImage>
#include <gtest/gtest.h>

namespace forms::qt {
namespace {

TEST(DeferredIconStyle, StandardIconsAreTheWrappedStylesOwn) {
    const DeferredIconStyle style;
    for (const QStyle::StandardPixmap icon :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_MessageBoxWarning}) {
        const QIcon own = style.baseStyle()->standardIcon(icon);
        const QIcon given = style.standardIcon(icon);
        ASSERT_FALSE(own.isNull()) << icon;
        EXPECT_FALSE(given.isNull()) << icon;
        for (const int size : {8, 16, 32}) {
            EXPECT_EQ(given.actualSize(QSize(size, size)), own.actualSize(QSize(size, size)))
                << icon << " at " << size;
            EXPECT_EQ(given.pixmap(size).toImage(), own.pixmap(size).toImage())
                << icon << " at " << size;
        }
    }
}

} // namespace
} // namespace forms::qt
