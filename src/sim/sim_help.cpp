#include "sim/sim_help.h"

#include "sim/sim_options.h"

namespace qx::sim {

std::string HelpText() {
    return "Usage: qxsim --link PATH [OPTION]...\n"
           "\n"
           "Plays one QX7T-R or QX5T radio modem on a pseudo-terminal, for trying the\n"
           "configuration tools without hardware. PATH becomes a symbolic link to the\n"
           "terminal; the simulator serves until SIGINT or SIGTERM, then removes it.\n"
           "\n"
           "Options:\n"
           "  --link PATH         where the link to the pseudo-terminal is made\n"
           "  --model NAME        QX7T-R (default) or QX5T, as ATI reports it\n"
           "  --firmware X.YY     the firmware version ATI reports (default 1.95)\n"
           "  --state FILE        the stored settings (AT&W), loaded at start\n"
           "  --online            start in data mode\n"
           "  --baud RATE         the module's rate at start (default 9600)\n"
           "  --format P-D-S      the module's format at start (default N-8-1)\n"
           "  --guard MS          the escape guard time (default S1 x 20 ms)\n"
           "  --fault NAME        misbehave as named (repeatable; see Faults below)\n"
           "  --verbose           every byte received, sent or dropped, on standard error\n"
           "  -h, --help          print this help\n"
           "  --version           print the version\n"
           "\n"
           "Faults:\n"
           "  " + IndentedFaultNames("  ") + "\n" +
           "\n"
           "Exit status:\n"
           "  0  stopped by SIGINT or SIGTERM, or the line hung up (hangup-after:CMD)\n"
           "  1  failure (the reason printed)\n"
           "  2  usage error\n"
           "\n"
           "Example:\n"
           "  $ qxsim --link /tmp/qx-com1 &\n"
           "  $ qxcfg identify --port /tmp/qx-com1\n";
}

}  // namespace qx::sim
