#pragma once
// "--com N=PATH" on the window's command line (repeatable): points the port
// slot "Com N" (1..8) at a device path, e.g. a simulator's pseudo-terminal.
// or at a port server's rfc2217://HOST:PORT or socket://HOST:PORT, taken
// as qxcfg takes them (a malformed address is a usage error). Slots not
// named keep their default, COMn = /dev/ttyUSB(n-1). The options
// are taken out of the argument list before the configuration-file rule
// looks at the first remaining argument.

#include <QString>
#include <QStringList>

#include "serial/port_map.h"

namespace qx::gui {

struct ComPortOptions {
    PortMap ports;
    QStringList remaining;  // the program name and every other argument, in order
    QString error;          // a usage error; empty when the options were sound
};

ComPortOptions ParseComPortOptions(const QStringList& arguments);

}  // namespace qx::gui
