#include "start_options.h"

#include "qt_text.h"

namespace qx::gui {

StartOptions ParseStartOptions(const QStringList& arguments) {
    StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--selftest")) {
            options.selfTest = true;
        } else if (a == QLatin1String("--probe")) {
            options.probe = true;
        } else if (a == QLatin1String("--screenshot") && i + 1 < arguments.size()) {
            options.screenshot = arguments[++i];
        } else if (options.file.empty()) {
            options.file = FromQ(a);
        }
    }
    return options;
}

}  // namespace qx::gui
