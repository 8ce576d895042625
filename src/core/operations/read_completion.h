#pragma once
// The steps that finish a module read and identify the firmware during a
// configure. Both run on the user-interface thread while the operation's
// worker waits, using that operation's channel.

#include <string>

#include "app/workspace.h"

namespace qx {

class TCOMQX7Object;

// Asks "ATI" and cuts the identification text out of the reply.
std::string ReadFirmwareVer(Workspace& workspace, TCOMQX7Object& channel);

// Parses the listing in ReplyText into the fields, identifies the firmware
// (status line and S21 check) and restarts the module. Errors are shown
// here, as the readout's own reports.
void UpdateReadConfig(Workspace& workspace, TCOMQX7Object& channel);

// The S21 value being written is judged against the module's firmware.
void IdentifyDuringConfigure(Workspace& workspace, TCOMQX7Object& channel);

}  // namespace qx
