#pragma once
// The steps that finish a module read and identify the firmware during a
// configure. Both run on the user-interface thread while the operation's
// worker waits, using that operation's channel.

#include <string>

#include "app/operation_outcome.h"
#include "operations/workspace.h"

namespace qx {

class TCOMQX7Object;

struct FirmwareReply {
    std::string identification;  // the identification text cut out of the reply
    std::string otherModel;      // the other model's name, when the module names it
};

// Asks "ATI" and cuts the identification text out of the reply. A module
// that names the other model than the one the program runs as is noted in
// the communication log.
FirmwareReply ReadFirmwareVer(Workspace& workspace, TCOMQX7Object& channel);

// The firmware line of the identification, as the status line shows it
// without its leading blanks ("V1.95 SIM").
std::string FirmwareLine(const FirmwareReply& reply);

// Parses the listing in ReplyText into the fields, identifies the firmware
// (status line and S21 check) and restarts the module. Errors are shown
// here, as the readout's own reports, and the outcome is then Failed; the
// parser's messages that do not stop it (flow control, invalid mode, unit
// address, fast mode on the basic model) leave it Done.
OperationOutcome UpdateReadConfig(Workspace& workspace, TCOMQX7Object& channel);

// The S21 value being written is judged against the module's firmware.
// Errors of the exchange propagate; the outcome carries what was found.
OperationOutcome IdentifyDuringConfigure(Workspace& workspace, TCOMQX7Object& channel);

}  // namespace qx
