#include "com_port_options.h"

#include "qt_text.h"

namespace qx::gui {

ComPortOptions ParseComPortOptions(const QStringList& arguments) {
    ComPortOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (i == 0 || a != QLatin1String("--com")) {
            options.remaining.append(a);
            continue;
        }
        const std::string value = i + 1 < arguments.size() ? FromQ(arguments[++i]) : std::string();
        const auto mapping = ParseComMapping(value);
        const std::string problem = mapping ? PortTextProblem(mapping->path, "--com") : BadComMappingText(value);
        if (problem.empty())
            options.ports.Override(mapping->slot, mapping->path);
        else if (options.error.isEmpty())
            options.error = ToQ(problem);
    }
    return options;
}

}  // namespace qx::gui
