#include "cli/cli_context.h"
#include "cli/commands.h"

namespace qx::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"show", "[FILE] [--sysaddr N] [--set NAME=VALUE]... [--strict] [--json]", RunShow},
        {"new", "-o FILE [--sysaddr N]", RunNew},
        {"set", "FILE [--from-json J|-] [NAME=VALUE]... [--strict] [-o OUT]", RunSet},
        {"fields", "[--json]", RunFields},
        {"commands", "[FILE] [--sysaddr N]", RunCommands},
        {"parse-listing", "FILE [--sysaddr N] [--json]", RunParseListing},
        {"identify", "[--port COMn|PATH] [--baud RATE] [--format N-8-1] [--com N=PATH]...", RunIdentify},
        {"console", "[--port COMn|PATH] [--baud RATE] [--format N-8-1] [--com N=PATH]... [--wake] CMD...", RunConsole},
        {"read", "[PORT OPTIONS] [-o FILE] [--json]", RunRead},
        {"write", "[PORT OPTIONS] FILE|--from-json J [--strict] [--verify]", RunWrite},
        {"restore", "[PORT OPTIONS] [--json]", RunRestore},
        {"txber", "[PORT OPTIONS] start|stop", RunTxBer},
        {"rxber", "[PORT OPTIONS] --test 1|2|3 [--seconds N] [--json]", RunRxBer},
        {"find", "[PORT OPTIONS]", RunFind},
        {"diff", "A B  (each a .X7R file or port:PATH|port:COMn) [PORT OPTIONS]", RunDiff},
        {"ports", "[--com N=PATH]...", RunPorts},
    };
    return commands;
}

}  // namespace qx::cli
