#include "com_port_options.h"

#include "qt_text.h"

namespace qx::gui {
namespace {

constexpr auto kOption = QLatin1String("--com");

// "N=PATH" with N from 1 to 8 and a path that is not empty.
bool TakeMapping(const QString& value, PortMap& ports) {
    const qsizetype eq = value.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq + 1 >= value.size()) return false;
    bool isNumber = false;
    const int slot = value.left(eq).toInt(&isNumber);
    if (!isNumber || slot < 1 || slot > kPortCount) return false;
    ports.Override(static_cast<std::uint8_t>(slot - 1), FromQ(value.mid(eq + 1)));
    return true;
}

}  // namespace

ComPortOptions ParseComPortOptions(const QStringList& arguments) {
    ComPortOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (i == 0 || a != kOption) {
            options.remaining.append(a);
            continue;
        }
        const QString value = i + 1 < arguments.size() ? arguments[++i] : QString();
        if (!TakeMapping(value, options.ports) && options.error.isEmpty())
            options.error = QStringLiteral("--com takes N=PATH with N from 1 to 8, not '%1'").arg(value);
    }
    return options;
}

}  // namespace qx::gui
