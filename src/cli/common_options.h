#pragma once
// Rows that several commands' tables share: the options that say where the
// module is and how this computer talks to it (for arguments with an
// `online` member, OnlineOptions), and the system address, --strict and
// --json (for arguments with members of those names). Each command's
// table names them where they stand in its help.

#include <string_view>
#include <vector>

#include "cli/online_options.h"
#include "cli/option_table.h"

namespace qx::cli {

template <typename Args>
Row<Args> ComOption() {
    return Option<Args>("--com", "N=PATH|URL", "COMN is the device PATH or the port server's URL (repeatable)",
                        Offer::ComMapping, [](Args& a, const Given& g) { a.online.port.TakeCom(g.value); });
}

// Where the module is and how this computer talks to it.
template <typename Args>
std::vector<Row<Args>> LinkOptions() {
    return {
        Option<Args>("--port", "COMn|PATH|URL",
                     "the module's port: COM1..COM8, a device path, or a port server's rfc2217://HOST:PORT or "
                     "socket://HOST:PORT (default COM1 = /dev/ttyUSB0)",
                     Offer::Port, [](Args& a, const Given& g) { a.online.TakePort(g.value); }),
        Option<Args>("--baud", "RATE", "this computer's rate, 1200 to 115200 (default 9600)", Offer::Rate,
                     [](Args& a, const Given& g) { a.online.port.TakeBaud(g.value); }),
        Option<Args>("--format", "P-D-S", "parity N/O/E, data bits 7/8, stop bits 1/2 (default N-8-1)", Offer::Format,
                     [](Args& a, const Given& g) { a.online.port.TakeFormat(g.value); }),
        ComOption<Args>(),
        Option<Args>("--log", "FILE", "append what is sent (>) and received (<) to FILE, after a header line",
                     Offer::File, [](Args& a, const Given& g) { a.online.log.Open(g.value); }),
    };
}

// The link options of the commands that run the window's module operations.
template <typename Args>
std::vector<Row<Args>> OperationOptions() {
    return Join(LinkOptions<Args>(),
                {
                    Option<Args>("--escape-char", "CODE", "the module's escape character (default 43, \"+\")",
                                 Offer::Nothing,
                                 [](Args& a, const Given& g) {
                                     a.online.escapeCode = static_cast<int>(ParseIntArg(g.value, 1, 255, "--escape-char"));
                                 }),
                    Flag<Args>("--verbose",
                               "show what is sent (>) and received (<) on standard error, control bytes escaped",
                               [](Args& a, const Given&) { a.online.verbose = true; }),
                });
}

// The commands that change what the module stores: its configuration is
// first kept in the history, unless this is given.
template <typename Args>
Row<Args> NoBackupFlag() {
    return Flag<Args>("--no-backup", "do not first read the module and keep its configuration in the history",
                      [](Args& a, const Given&) { a.online.backup = false; });
}

// --port given more than once.
template <typename Args>
Row<Args> SeveralPorts() {
    return Note<Args>("--port P --port Q ...",
                      "work on all those modules at once, one result line each (with --json one object each)");
}

template <typename Args>
Row<Args> SystemAddressOption(std::string_view help = "the defaults' system address (default random 1..254)") {
    return Option<Args>("--sysaddr", "N", help, Offer::Nothing, [](Args& a, const Given& g) {
        a.systemAddress = static_cast<int>(ParseIntArg(g.value, 0, 255, "--sysaddr"));
    });
}

template <typename Args>
Row<Args> StrictFlag() {
    return Flag<Args>("--strict", "a value outside its range is a usage error, not a warning", Raise<&Args::strict>);
}

template <typename Args>
Row<Args> JsonFlag(std::string_view help) {
    return Flag<Args>("--json", help, Raise<&Args::json>);
}

}  // namespace qx::cli
