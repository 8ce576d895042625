#include "operations/receive_data.h"

namespace qx {

void ReceiveData(Workspace& workspace, const std::string& text) {
    workspace.replyText = text;
    workspace.config.AppendLogLine(text + "\r");
}

}  // namespace qx
