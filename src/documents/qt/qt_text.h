#pragma once
// The core speaks UTF-8 and ARGB; Qt speaks QString and QColor.
#include <QColor>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace qianyan {

inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string utf8(const QString& text) {
    return text.toStdString();
}
inline QColor qtColor(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

} // namespace qianyan
