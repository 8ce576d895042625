#include "cli/commands.h"

#include "cli/cli_context.h"

namespace qx::cli {

namespace {

std::vector<OptionHelp> Join(std::vector<OptionHelp> first, const std::vector<OptionHelp>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Where the module is and how this computer talks to it.
const std::vector<OptionHelp> kLinkOptions = {
    {"--port COMn|PATH|URL", "the module's port: COM1..COM8, a device path, or a port server's "
                              "rfc2217://HOST:PORT or socket://HOST:PORT (default COM1 = /dev/ttyUSB0)"},
    {"--baud RATE", "this computer's rate, 1200 to 115200 (default 9600)"},
    {"--format P-D-S", "parity N/O/E, data bits 7/8, stop bits 1/2 (default N-8-1)"},
    {"--com N=PATH|URL", "COMN is the device PATH or the port server's URL (repeatable)"},
    {"--log FILE", "append what is sent (>) and received (<) to FILE, after a header line"},
};

// The link options of the commands that run the window's module operations.
const std::vector<OptionHelp> kOperationOptions =
    Join(kLinkOptions, {
                           {"--escape-char CODE", "the module's escape character (default 43, \"+\")"},
                           {"--verbose", "show what is sent (>) and received (<) on standard error, control bytes escaped"},
                       });

const std::vector<OptionHelp> kSeveralPorts = {
    {"--port P --port Q ...", "work on all those modules at once, one result line each (with --json one object each)"},
};

const std::vector<ExitHelp> kFileExits = {
    {0, "done"},
    {2, "usage error, or a file that cannot be loaded or saved (the reason printed)"},
};

const std::vector<ExitHelp> kLinkExits = {
    {0, "done"},
    {1, "the module or port failed (its report printed)"},
    {2, "usage error"},
};

}  // namespace

const std::vector<ExitHelp>& OperationExits() {
    static const std::vector<ExitHelp> exits = {
        {0, "done"},
        {1, "the module or port failed (its report printed)"},
        {2, "usage or file error"},
        {3, "declined: a question answered No ended the command"},
        {130, "cancelled with Ctrl-C, nothing changed on the module"},
    };
    return exits;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"show",
         "[FILE] [--sysaddr N] [--set NAME=VALUE]... [--strict] [--json]",
         "print a configuration (the defaults, or FILE) after the changes given",
         {{"FILE", "a .X7R configuration file to start from"},
          {"--sysaddr N", "the defaults' system address (default random 1..254)"},
          {"--set NAME=VALUE", "a user's action on a setting, in order (NAME as qxcfg fields lists it)"},
          {"--strict", "a value outside its range is a usage error, not a warning"},
          {"--json", "print the settings as one JSON object (set --from-json takes it back)"}},
         kFileExits,
         {"qxcfg show --sysaddr 17 --set serial.baud=1200"},
         RunShow},
        {"new",
         "-o FILE [--sysaddr N]",
         "write the factory defaults as a configuration file",
         {{"-o FILE", "the file to write, used as given (- for standard output)"},
          {"--sysaddr N", "the system address (default random 1..254)"}},
         kFileExits,
         {"qxcfg new -o site.X7R --sysaddr 17"},
         RunNew},
        {"set",
         "FILE|--port P [PORT OPTIONS] [--from-json J|-] [NAME=VALUE]... [--strict] [-o OUT] [--json]",
         "change settings in FILE and save it, or with --port on the module (read, change, write, read back)",
         Join({{"NAME=VALUE", "a user's action on a setting, as show --set"},
               {"--from-json J", "first the settings of the JSON object in file J (- standard input); "
                                 "a FILE not yet there starts from the defaults"},
               {"--strict", "a value outside its range is a usage error, not a warning"},
               {"-o OUT", "save to OUT instead of over FILE (- for standard output); with --port, save the "
                          "configuration read back"},
               {"--json", "with --port: one JSON object per port, with what changed on the module"}},
              Join(kOperationOptions, kSeveralPorts)),
         {{0, "done (with --port: the module holds what was written)"},
          {1, "the module or port failed, or the module holds something else than was written"},
          {2, "usage error, or a file that cannot be loaded or saved (the reason printed)"},
          {3, "declined: a question answered No ended the command"},
          {130, "cancelled with Ctrl-C, nothing changed on the module"}},
         {"qxcfg set site.X7R mode=auto-connect-master dest1.repeater1=5 dest1.address=12",
          "qxcfg set --port /dev/ttyUSB0 s7=9 serial.baud=19200"},
         RunSet},
        {"fields",
         "[--json]",
         "list every setting a NAME=VALUE may name: key, caption, range or choices, default",
         {{"--json", "print the list as one JSON object"}},
         {{0, "done"}, {2, "usage error"}},
         {"qxcfg --model QX5T fields"},
         RunFields},
        {"commands",
         "[FILE] [--sysaddr N]",
         "print the 40 command lines that Configure sends for FILE",
         {{"--sysaddr N", "the defaults' system address (default random 1..254)"}},
         kFileExits,
         {"qxcfg commands site.X7R"},
         RunCommands},
        {"parse-listing",
         "FILE [--sysaddr N] [--json]",
         "parse a captured AT&V listing and print its fields",
         {{"--sysaddr N", "the defaults' system address (default random 1..254)"},
          {"--json", "print every field as one JSON object"}},
         {{0, "done"}, {2, "usage or file error (also a listing the parser refuses)"}},
         {"qxcfg parse-listing captured.txt"},
         RunParseListing},
        {"identify",
         "[PORT OPTIONS] [--json]",
         "wake the module and print its identification and firmware version",
         Join({{"--json", "print both as one JSON object"}}, kOperationOptions),
         kLinkExits,
         {"qxcfg identify --port /dev/ttyUSB0"},
         RunIdentify},
        {"console",
         "[PORT OPTIONS] [--wake] CMD...",
         "send commands and print each reply with every byte visible",
         Join({{"--wake", "wake the module first"}}, kOperationOptions),
         {{0, "every command was sent"}, {1, "the port failed or a command could not be sent"}, {2, "usage error"}},
         {"qxcfg console --port /dev/ttyUSB0 --wake ATS0?"},
         RunConsole},
        {"read",
         "[PORT OPTIONS] [-o FILE] [--json]",
         "read the module's configuration (as Read does) and print or save it",
         Join({{"-o FILE", "also save it as a configuration file (- writes only the file, to standard output)"},
               {"--json", "print the fields as one JSON object"}},
              Join(kOperationOptions, kSeveralPorts)),
         OperationExits(),
         {"qxcfg read --port /dev/ttyUSB0 -o back.X7R"},
         RunRead},
        {"get",
         "[PORT OPTIONS] [NAME...] [--json]",
         "read the module and print the settings named (every setting as KEY=VALUE without names)",
         Join({{"NAME", "a setting as qxcfg fields lists it; its value is printed as set takes it back"},
               {"--json", "print the settings named (or all) as one JSON object, as set --from-json takes it"}},
              kOperationOptions),
         OperationExits(),
         {"qxcfg get --port /dev/ttyUSB0 s7 serial.baud"},
         RunGet},
        {"write",
         "[PORT OPTIONS] FILE|--from-json J [--strict] [--verify] [--json]",
         "write a configuration file to the module (as Configure does)",
         Join({{"--from-json J", "write the settings of the JSON object in file J (- standard input) instead, "
                                 "from the factory defaults"},
               {"--strict", "a value outside its range is a usage error, not a warning"},
               {"--verify", "read the module back and list every setting that differs"},
               {"--json", "print one JSON object per port: result, how the module is reached now, differences"}},
              Join(kOperationOptions, kSeveralPorts)),
         OperationExits(),
         {"qxcfg write --port /dev/ttyUSB0 site7.X7R --verify"},
         RunWrite},
        {"restore",
         "[PORT OPTIONS] [--json]",
         "restore the module's factory defaults and read it back",
         Join({{"--json", "print the fields as one JSON object"}}, Join(kOperationOptions, kSeveralPorts)),
         OperationExits(),
         {"qxcfg --yes restore --port /dev/ttyUSB0"},
         RunRestore},
        {"txber",
         "[PORT OPTIONS] start|stop",
         "start or stop the module's transmit bit-error-rate test",
         kOperationOptions,
         OperationExits(),
         {"qxcfg txber --port /dev/ttyUSB0 start"},
         RunTxBer},
        {"rxber",
         "[PORT OPTIONS] --test 1|2|3 [--seconds N] [--json]",
         "run a receive test (Rx BER, Tx & Rx BER, RSSI) and print its fields",
         Join({{"--test 1|2|3", "the test to run"},
               {"--seconds N", "stop after N seconds (default: at Ctrl-C)"},
               {"--json", "one JSON object per received line, with the time it was shown"}},
              kOperationOptions),
         OperationExits(),
         {"qxcfg rxber --port /dev/ttyUSB0 --test 3 --seconds 10"},
         RunRxBer},
        {"find",
         "[PORT OPTIONS] [--escape-chars LIST] [--json]",
         "try every rate and format until the module answers",
         Join({{"--escape-chars LIST", "the escape characters to try in turn, codes separated by commas "
                                       "(default 43,35,42: \"+\", \"#\", \"*\"; --escape-char first)"},
               {"--json", "print what was found as one JSON object"}},
              kOperationOptions),
         {{0, "found (the settings printed)"},
          {1, "not found, or the port failed"},
          {2, "usage error"},
          {130, "cancelled with Ctrl-C"}},
         {"qxcfg find --port /dev/ttyUSB0"},
         RunFind},
        {"diff",
         "A B [PORT OPTIONS] [--json]",
         "compare two configurations: .X7R files or modules (port:P)",
         Join({{"--json", "print the differences as one JSON object"}}, kOperationOptions),
         {{0, "the same"},
          {1, "different, or a module could not be read"},
          {2, "usage error, or a file that cannot be loaded"},
          {130, "cancelled with Ctrl-C"}},
         {"qxcfg diff site.X7R port:/dev/ttyUSB0"},
         RunDiff},
        {"ports",
         "[--com N=PATH]... [--sysfs DIR] [--dev DIR] [--json]",
         "list the serial devices and the COM slots that stand for them",
         {{"--com N=PATH|URL", "COMN is the device PATH or the port server's URL (repeatable)"},
          {"--json", "print the list as one JSON object"},
          {"--sysfs DIR", "read another tree than /sys"},
          {"--dev DIR", "read another tree than /dev"}},
         {{0, "done"}, {2, "usage error"}},
         {"qxcfg ports"},
         RunPorts},
        {"help",
         "[COMMAND]",
         "print the help of a command, or the list of commands",
         {},
         {{0, "done"}, {2, "no such command"}},
         {"qxcfg help write"},
         RunHelp},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

}  // namespace qx::cli
