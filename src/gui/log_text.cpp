#include "log_text.h"

#include "qt_text.h"

namespace qx::gui {

QString CleanLogText(std::string_view log) {
    QString text;
    text.reserve(static_cast<qsizetype>(log.size()));
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i <= log.size(); ++i) {
        if (i < log.size() && log[i] != '\r' && log[i] != '\n') continue;
        if (i > lineStart) {
            text += FromModuleText(log.substr(lineStart, i - lineStart));
            text += QLatin1Char('\n');
        }
        lineStart = i + 1;
    }
    return text;
}

}  // namespace qx::gui
