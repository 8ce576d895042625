#include "cli/failure_report.h"

#include "cli/cli_prompter.h"
#include "cli/usage_error.h"
#include "config/integer_text.h"
#include "files/file_errors.h"

namespace qx::cli {

int ReportException(std::ostream& err, const std::exception& error) {
    if (dynamic_cast<const UsageError*>(&error)) {
        err << "qxcfg: " << error.what() << '\n';
        return kExitUsage;
    }
    err << ErrorLines(error.what());
    // A captured listing the parser refuses is the file's fault.
    const bool file = dynamic_cast<const EFileError*>(&error) || dynamic_cast<const EConvertError*>(&error);
    return file ? kExitUsage : kExitFailure;
}

}  // namespace qx::cli
