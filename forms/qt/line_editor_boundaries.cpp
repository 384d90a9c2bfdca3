#include "forms/qt/line_editor_boundaries.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace forms::qt::boundaries {
namespace {

// How far a cluster may reach before its window edge counts as a boundary after all.
constexpr qsizetype longestCluster = 1 << 14;
constexpr qsizetype firstReach = 64;
constexpr qsizetype context = 32;

QTextBoundaryFinder graphemes(QStringView text, qsizetype start, qsizetype end) {
    return QTextBoundaryFinder(QTextBoundaryFinder::Grapheme, text.data() + start, end - start);
}

// The separators at which Qt's line edits stop when moving by words.
bool isSeparator(QChar c) {
    static constexpr QStringView separators = u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\";
    return separators.contains(c);
}

} // namespace

qsizetype pairStart(QStringView text, qsizetype index) {
    if (index > 0 && index < text.size() && text[index].isLowSurrogate() &&
        text[index - 1].isHighSurrogate())
        return index - 1;
    return index;
}

qsizetype pairEnd(QStringView text, qsizetype index) {
    return pairStart(text, index) == index ? index : index + 1;
}

qsizetype nextGrapheme(QStringView text, qsizetype index) {
    if (index >= text.size())
        return text.size();
    for (qsizetype reach = firstReach;; reach *= 8) {
        const qsizetype start = pairStart(text, std::max<qsizetype>(0, index - context));
        const qsizetype end = pairEnd(text, std::min(text.size(), index + reach));
        QTextBoundaryFinder finder = graphemes(text, start, end);
        finder.setPosition(index - start);
        const qsizetype found = finder.toNextBoundary();
        const qsizetype next = found < 0 ? end : start + found;
        if (next < end || end == text.size() || reach >= longestCluster)
            return next;
    }
}

qsizetype previousGrapheme(QStringView text, qsizetype index) {
    if (index <= 0)
        return 0;
    index = std::min(index, text.size());
    for (qsizetype reach = firstReach;; reach *= 8) {
        const qsizetype start = pairStart(text, std::max<qsizetype>(0, index - reach));
        const qsizetype end = pairEnd(text, index);
        QTextBoundaryFinder finder = graphemes(text, start, end);
        finder.setPosition(index - start);
        const qsizetype found = finder.toPreviousBoundary();
        const qsizetype previous = found < 0 ? start : start + found;
        if (previous > start || start == 0 || reach >= longestCluster)
            return previous;
    }
}

qsizetype graphemeStart(QStringView text, qsizetype index) {
    if (index <= 0 || index >= text.size())
        return std::clamp<qsizetype>(index, 0, text.size());
    const qsizetype start = pairStart(text, std::max<qsizetype>(0, index - context));
    const qsizetype end = pairEnd(text, std::min(text.size(), index + context));
    QTextBoundaryFinder finder = graphemes(text, start, end);
    finder.setPosition(index - start);
    if (finder.isAtBoundary())
        return index;
    return previousGrapheme(text, index);
}

qsizetype nextWord(QStringView text, qsizetype index) {
    const qsizetype size = text.size();
    if (index < 0 || index >= size)
        return index;
    if (isSeparator(text[index])) {
        while (++index < size && isSeparator(text[index])) {
        }
    } else {
        while (index < size && !text[index].isSpace() && !isSeparator(text[index]))
            ++index;
    }
    while (index < size && text[index].isSpace())
        ++index;
    return index;
}

qsizetype previousWord(QStringView text, qsizetype index) {
    if (index <= 0 || index > text.size())
        return index;
    while (index > 0 && text[index - 1].isSpace())
        --index;
    if (index > 0 && isSeparator(text[index - 1])) {
        while (--index > 0 && isSeparator(text[index - 1])) {
        }
    } else {
        while (index > 0 && !text[index - 1].isSpace() && !isSeparator(text[index - 1]))
            --index;
    }
    return index;
}

Range wordAt(QStringView text, qsizetype index) {
    const qsizetype next = std::min(index + 1, text.size());
    const qsizetype start = previousWord(text, next);
    qsizetype end = nextWord(text, start);
    while (end > index && end > start && text[end - 1].isSpace())
        --end;
    return {start, end};
}

} // namespace forms::qt::boundaries
