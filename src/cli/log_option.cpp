#include "cli/log_option.h"

#include "cli/usage_error.h"

namespace qx::cli {

bool LogOption::Take(ArgReader& reader) {
    auto path = reader.TakeOption("--log");
    if (!path) return false;
    if (path->empty()) throw UsageError("--log needs a file name");
    file = std::make_shared<CommunicationLogFile>(*path, LogFileMode::Append);
    return true;
}

void LogOption::Tap(TCOMQX7Object& channel) const {
    if (!file) return;
    // A wait that ended with nothing is an entry too: it shows when the
    // module did not answer.
    channel.SetReplyTap([log = file](const std::string& text) { log->Write(text.empty() ? "(no reply)" : text); });
}

}  // namespace qx::cli
