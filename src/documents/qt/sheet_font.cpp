#include "documents/qt/sheet_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace qianyan {

namespace {

QString sheetFamily() {
    // Looked up once: the font database is slow to ask and the answer does not change during a run.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : {"SimHei", "WenQuanYi Micro Hei Mono", "Noto Sans Mono CJK SC"})
            if (installed.contains(QLatin1String(name), Qt::CaseInsensitive))
                return QString::fromLatin1(name);
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

} // namespace

QFont sheetFont() {
    QFont font(sheetFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QFont sheetFont(int px) {
    QFont font = sheetFont();
    font.setPixelSize(px);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace qianyan
