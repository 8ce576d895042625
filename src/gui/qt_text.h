#pragma once
// Text conversions between the core's 8-bit strings and Qt.

#include <QString>
#include <string>
#include <string_view>

namespace qx::gui {

// Our own texts (captions, messages) are UTF-8.
inline QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }

// What the module sends is 8-bit text of no particular encoding.
inline QString FromModuleText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace qx::gui
