// qxcfg parse-listing: a captured "AT&V" listing of a module, parsed as a
// module read parses it, for looking at it offline.

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"
#include "config/readout_parser.h"
#include "files/file_read_write.h"

namespace qx::cli {

namespace {
// A module's listing is well under a kilobyte; a capture may carry more
// around it, but not this much.
constexpr std::size_t kMaxListingSize = 1024 * 1024;
}  // namespace

int RunParseListing(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    std::optional<int> systemAddress;
    std::optional<std::string> file;
    bool json = false;
    while (!reader.AtEnd()) {
        if (auto v = reader.TakeOption("--sysaddr")) {
            systemAddress = static_cast<int>(ParseIntArg(*v, 0, 255, "--sysaddr"));
        } else if (reader.TakeFlag("--json")) {
            json = true;
        } else if (!file && !reader.Peek().starts_with("-")) {
            file = reader.Next();
        } else {
            throw UsageError("parse-listing: unexpected argument '" + reader.Peek() + "'");
        }
    }
    if (!file) throw UsageError("parse-listing: FILE is required");

    auto workspace = StartWorkspace(context, systemAddress);
    workspace->replyText = ReadBoundedFile(*file, kMaxListingSize);
    // A conversion failure leaves as an exception: printed, exit code 1.
    ProcessReadConfig(workspace->config, workspace->replyText, workspace->s21Reference, ReadoutSource::Module);

    PrintFields(*workspace, context.out, json);
    return kExitOk;
}

}  // namespace qx::cli
