// Cursor stops of a one-line text: grapheme clusters, found in a small window around the index
// so that a long text costs no more than a short one, and word stops the way Qt's line edits
// move by words. Drawing and editing are left to the editor.
#pragma once

#include <QStringView>

namespace forms::qt::boundaries {

// The next grapheme boundary after `index`, or the text's size.
qsizetype nextGrapheme(QStringView text, qsizetype index);
// The grapheme boundary before `index`, or 0.
qsizetype previousGrapheme(QStringView text, qsizetype index);
// `index` if it is a grapheme boundary, else the boundary before it.
qsizetype graphemeStart(QStringView text, qsizetype index);
// Moves `index` off the middle of a surrogate pair: back to its start, or on to its end.
qsizetype pairStart(QStringView text, qsizetype index);
qsizetype pairEnd(QStringView text, qsizetype index);

// The start of the next word (after skipping the spaces behind it), or the text's size.
qsizetype nextWord(QStringView text, qsizetype index);
// The start of the word before `index`, or 0.
qsizetype previousWord(QStringView text, qsizetype index);

struct Range {
    qsizetype start;
    qsizetype end;
};
// The word under `index` without its trailing spaces, as a double click selects it.
Range wordAt(QStringView text, qsizetype index);

} // namespace forms::qt::boundaries
