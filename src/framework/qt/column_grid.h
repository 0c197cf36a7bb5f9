#pragma once
// Lines up the sheets' columns in whatever font the system has. The sheets count a UTF-16 unit in
// U+1000..U+9FA5 as two columns and every other unit as one; a font whose CJK characters are not exactly
// two Latin characters wide (the common "mono" CJK fonts make Latin 0.6 em) would let the columns
// drift. Every character whose advance differs from its columns times the width of a digit gets the
// letter spacing that makes up the difference.
#include <QFont>
#include <QHash>
#include <QSyntaxHighlighter>

namespace qianyan {

class ColumnGrid : public QSyntaxHighlighter {
public:
    explicit ColumnGrid(QTextDocument* document);
    // The view's font; the spacings are worked out anew when it changes.
    void setFont(const QFont& font);

protected:
    void highlightBlock(const QString& text) override;

private:
    // The advance of c as a percentage of its natural advance; 100 when it needs no change.
    double spacing(QChar c);

    QFont font_;
    QHash<char16_t, double> spacings_;
};

} // namespace qianyan
