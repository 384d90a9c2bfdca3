// The line editor's visible window: which part of the text is laid out, where it sits, and
// how it is painted with its selection and blinking cursor.
#include "forms/qt/line_editor.h"
#include "forms/qt/line_editor_boundaries.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <limits>

namespace forms::qt {
namespace {

// The gaps QLineEdit keeps between its frame's contents and the text.
constexpr int horizontalMargin = 2;
constexpr int verticalMargin = 1;
// The most code units a window lays out while looking for enough width (zero-width text).
constexpr qsizetype widestWindow = 1 << 14;

using boundaries::graphemeStart;
using boundaries::pairStart;

} // namespace

// ---- Geometry and painting -----------------------------------------------------------------

void LineEditor::initStyleOption(QStyleOptionFrame* option) const {
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    option->features = QStyleOptionFrame::None;
}

QSize LineEditor::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int height = std::max(metrics.height(), std::max(14, iconSize - 2)) + 2 * verticalMargin;
    const int width = metrics.horizontalAdvance(u'x') * 17 + 2 * horizontalMargin;
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, height), this);
}

QSize LineEditor::minimumSizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int height = metrics.height() + std::max(2 * verticalMargin, metrics.leading());
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                     QSize(metrics.maxWidth(), height), this);
}

void LineEditor::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        invalidate();
        break;
    case QEvent::LayoutDirectionChange:
        invalidate();
        break;
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void LineEditor::resizeEvent(QResizeEvent* event) {
    invalidate();
    QWidget::resizeEvent(event);
}

void LineEditor::invalidate() {
    viewValid_ = false;
    update();
}

QString LineEditor::shownText(qsizetype start, qsizetype end) const {
    QString shown = text_.mid(start, end - start);
    // As QLineEdit does: control characters would draw as boxes in most fonts.
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            c = u' ';
    }
    return shown;
}

bool LineEditor::preeditInView(const View& shown) const {
    return !preedit_.isEmpty() && cursor_ >= shown.start && cursor_ <= shown.start + shown.length;
}

void LineEditor::layOut(QTextLayout& layout, qsizetype start, qsizetype length,
                        bool withPreedit) const {
    layout.setText(shownText(start, start + length));
    layout.setFont(font());
    QTextOption option;
    option.setTextDirection(layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    if (withPreedit && !preedit_.isEmpty() && cursor_ >= start && cursor_ <= start + length) {
        layout.setPreeditArea(int(cursor_ - start), preedit_);
        QList<QTextLayout::FormatRange> formats = preeditFormats_;
        for (QTextLayout::FormatRange& range : formats)
            range.start += int(cursor_ - start);
        layout.setFormats(formats);
    } else {
        layout.setPreeditArea(-1, {});
        layout.clearFormats();
    }
    layout.beginLayout();
    layout.createLine();
    layout.endLayout(); // lays the one line out without a width limit
}

qreal LineEditor::widthOf(qsizetype start, qsizetype end) const {
    QTextLayout layout;
    layOut(layout, start, end - start, true);
    return layout.lineAt(0).naturalTextWidth();
}

LineEditor::Span LineEditor::spanFilling(qsizetype end, qreal width) const {
    const qreal charWidth = std::max<qreal>(1, QFontMetricsF(font()).averageCharWidth());
    for (qsizetype reach = qsizetype(width / charWidth) + 8;; reach *= 2) {
        const qsizetype start = graphemeStart(text_, std::max<qsizetype>(0, end - reach));
        const qreal found = widthOf(start, end);
        if (found >= width || start == 0 || reach >= widestWindow)
            return {start, found};
    }
}

void LineEditor::cover(qsizetype start, qreal width, qsizetype minEnd) const {
    const qreal charWidth = std::max<qreal>(1, QFontMetricsF(font()).averageCharWidth());
    for (qsizetype length = qsizetype(width / charWidth) + 8;; length *= 2) {
        qsizetype end = std::min(text_.size(), start + length);
        if (end < text_.size()) {
            end = graphemeStart(text_, end);
            if (end <= start)
                end = boundaries::nextGrapheme(text_, start);
        }
        layOut(view_.layout, start, end - start, true);
        view_.start = start;
        view_.length = end - start;
        const qreal laidOut = view_.layout.lineAt(0).naturalTextWidth();
        if (end == text_.size() || (end >= minEnd && (laidOut >= width || length >= widestWindow)))
            return;
    }
}

qsizetype LineEditor::cursorLayoutPosition(const View& shown) const {
    return cursor_ - shown.start + (preeditInView(shown) ? preeditCursor_ : 0);
}

qsizetype LineEditor::toLayoutPosition(const View& shown, qsizetype index) const {
    qsizetype position = index - shown.start;
    if (preeditInView(shown) && index > cursor_)
        position += preedit_.size();
    return position;
}

qsizetype LineEditor::toTextIndex(const View& shown, qsizetype position) const {
    if (preeditInView(shown)) {
        const qsizetype preeditStart = cursor_ - shown.start;
        if (position > preeditStart + preedit_.size())
            position -= preedit_.size();
        else if (position > preeditStart)
            position = preeditStart;
    }
    return shown.start + position;
}

void LineEditor::layOutView() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const int lineX = contents.x() + horizontalMargin;
    const int width = std::max(1, contents.width() - 2 * horizontalMargin);
    const qsizetype size = text_.size();
    View& shown = view_;
    auto naturalWidth = [&] { return shown.layout.lineAt(0).naturalTextWidth(); };
    auto cursorX = [&] {
        if (cursor_ < shown.start || cursor_ > shown.start + shown.length)
            return std::numeric_limits<qreal>::infinity();
        return shown.layout.lineAt(0).cursorToX(int(cursorLayoutPosition(shown)));
    };

    // Measured back from the end, and only until the width is exceeded.
    const Span tail = spanFilling(size, width);
    if (tail.start == 0 && qRound(tail.width) + 1 <= width) {
        first_ = 0;
        scroll_ = 0;
        cover(0, width, size);
        const int used = qRound(naturalWidth()) + 1;
        int hscroll = 0;
        switch (QStyle::visualAlignment(layoutDirection(), alignment_) &
                ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
        case Qt::AlignRight:
            hscroll = used - width + 1;
            break;
        case Qt::AlignHCenter:
            hscroll = (used - width) / 2;
            break;
        default:
            break;
        }
        shown.origin = lineX - hscroll;
    } else {
        first_ = std::min(first_, size);
        if (cursor_ < first_) {
            first_ = graphemeStart(text_, cursor_);
            scroll_ = 0;
        }
        cover(first_, scroll_ + width, first_);
        const bool cursorBeyondRight = cursorX() - scroll_ >= width;
        if (cursorBeyondRight) { // bring the cursor in at the right edge
            first_ = spanFilling(cursor_, width).start;
            cover(first_, width, cursor_);
            scroll_ = std::max(0, qRound(cursorX()) - width + 1);
        } else if (cursorX() < scroll_) { // at the left edge
            first_ = graphemeStart(text_, cursor_);
            scroll_ = 0;
        }
        cover(first_, scroll_ + width, cursor_);
        const bool atEnd = shown.start + shown.length == size;
        if (!cursorBeyondRight && atEnd && qRound(naturalWidth()) + 1 - scroll_ < width) {
            // The text's end left of the right edge: show as much as fits.
            first_ = spanFilling(size, width).start;
            cover(first_, width, size);
            scroll_ = std::max(0, qRound(naturalWidth()) + 1 - width + 1);
        }
        shown.origin = lineX - scroll_;
    }

    const QFontMetrics metrics(font());
    QString laidOut = shownText(shown.start, shown.start + shown.length);
    if (preeditInView(shown))
        laidOut += preedit_;
    const int height = std::max(metrics.height(), metrics.boundingRect(laidOut).height());
    int top = contents.y() + (contents.height() - height + 1) / 2;
    if (alignment_ & Qt::AlignBottom)
        top = contents.y() + contents.height() - height - verticalMargin;
    else if (alignment_ & Qt::AlignTop)
        top = contents.y() + verticalMargin;
    shown.line = QRect(lineX, top, width, height);
    // Keeps the baseline where the font puts it even when a fallback font is taller.
    shown.top = top - (qRound(shown.layout.lineAt(0).ascent()) - metrics.ascent());
}

const LineEditor::View& LineEditor::view() const {
    if (!viewValid_) {
        layOutView();
        viewValid_ = true;
    }
    return view_;
}

QRect LineEditor::cursorRect() const {
    const View& shown = view();
    const QTextLine line = shown.layout.lineAt(0);
    const int x = qRound(shown.origin + line.cursorToX(int(cursorLayoutPosition(shown))));
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return QRect(x - 5, shown.top, width + 9, qRound(line.height()) + 1);
}

QRect LineEditor::characterRect(int index) const {
    const View& shown = view();
    if (index < shown.start || index >= shown.start + shown.length)
        return {};
    const QTextLine line = shown.layout.lineAt(0);
    const qsizetype next =
        std::min(boundaries::nextGrapheme(text_, index), shown.start + shown.length);
    const qreal left = line.cursorToX(int(toLayoutPosition(shown, index)));
    const qreal right = line.cursorToX(int(toLayoutPosition(shown, next)));
    return QRectF(shown.origin + std::min(left, right), shown.top, std::abs(right - left),
                  line.height())
        .toAlignedRect();
}

int LineEditor::indexAt(int x) const {
    const View& shown = view();
    const QTextLine line = shown.layout.lineAt(0);
    const qreal layoutX = x - shown.origin;
    // Past the laid-out part: one step further, so that dragging scrolls on.
    if (layoutX > line.naturalTextWidth() && shown.start + shown.length < text_.size())
        return int(shown.start + shown.length);
    return int(pairStart(text_, toTextIndex(shown, line.xToCursor(layoutX))));
}

void LineEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    painter.setClipRect(contents);

    const View& shown = view();
    const QPalette colours = palette();
    painter.setPen(colours.text().color());
    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        const qsizetype from = std::max<qsizetype>(selectionStart(), shown.start);
        const qsizetype to = std::min<qsizetype>(selectionEnd(), shown.start + shown.length);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = int(toLayoutPosition(shown, from));
            range.length = int(toLayoutPosition(shown, to) - range.start);
            range.format.setBackground(colours.brush(QPalette::Highlight));
            range.format.setForeground(colours.brush(QPalette::HighlightedText));
            selections.append(range);
        }
    }
    const QPointF offset(shown.origin, shown.top);
    shown.layout.draw(&painter, offset, selections, contents);
    if (cursorShown_ && blinkOn_ && !preeditHidesCursor_) {
        const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this);
        shown.layout.drawCursor(&painter, offset, int(cursorLayoutPosition(shown)), width);
    }
}

// ---- Cursor blinking -----------------------------------------------------------------------

void LineEditor::setCursorShown(bool shown) {
    cursorShown_ = shown;
    restartBlinking();
}

void LineEditor::restartBlinking() {
    blinkOn_ = true;
    blinkTimer_.stop();
    if (cursorShown_) {
        const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
        if (flashTime >= 2)
            blinkTimer_.start(flashTime / 2, this);
    }
    updateCursor();
}

void LineEditor::updateCursor() {
    if (viewValid_)
        update(cursorRect());
}

void LineEditor::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blinkTimer_.timerId()) {
        blinkOn_ = !blinkOn_;
        updateCursor();
    } else if (event->timerId() == tripleClickTimer_.timerId()) {
        tripleClickTimer_.stop();
    } else {
        QWidget::timerEvent(event);
    }
}

} // namespace forms::qt
