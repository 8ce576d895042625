#include "operations/receive_data.h"

namespace qx {

void ReceiveData(Workspace& workspace, const std::string& text) {
    workspace.replyText = text;
    workspace.AppendLogLine(text + "\r");
}

}  // namespace qx
