#pragma once
// The main window's receive handler outside a module operation's worker:
// the text becomes ReplyText and, followed by a carriage return, a line of
// the communication log.

#include <string>

#include "operations/workspace.h"

namespace qx {

void ReceiveData(Workspace& workspace, const std::string& text);

}  // namespace qx
