#include "framework/qt/column_grid.h"

#include "framework/text_layout.h"

#include <QFontMetricsF>

#include <cmath>

namespace qianyan {

ColumnGrid::ColumnGrid(QTextDocument* document) : QSyntaxHighlighter(document) {}

void ColumnGrid::setFont(const QFont& font) {
    if (font == font_) return;
    font_ = font;
    spacings_.clear();
    rehighlight();
}

double ColumnGrid::spacing(QChar c) {
    const auto found = spacings_.constFind(c.unicode());
    if (found != spacings_.constEnd()) return *found;
    double percent = 100;
    if (!c.isSurrogate()) {
        const QFontMetricsF metrics(font_);
        const double columns = characterColumns(c.unicode());
        const double advance = metrics.horizontalAdvance(c);
        if (advance > 0) percent = 100 * columns * metrics.horizontalAdvance(QLatin1Char('0')) / advance;
        if (std::abs(percent - 100) < 0.01) percent = 100;
    }
    spacings_.insert(c.unicode(), percent);
    return percent;
}

void ColumnGrid::highlightBlock(const QString& text) {
    qsizetype start = 0;
    while (start < text.size()) {
        const double percent = spacing(text[start]);
        qsizetype end = start + 1;
        while (end < text.size() && spacing(text[end]) == percent) ++end;
        if (percent != 100) {
            QTextCharFormat format;
            format.setFontLetterSpacingType(QFont::PercentageSpacing);
            format.setFontLetterSpacing(percent);
            setFormat(static_cast<int>(start), static_cast<int>(end - start), format);
        }
        start = end;
    }
}

} // namespace qianyan
