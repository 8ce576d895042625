// qxcfg parse-listing: a captured "AT&V" listing of a module, parsed as a
// module read parses it, for looking at it offline.

#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"
#include "config/readout_parser.h"
#include "files/file_read_write.h"

namespace qx::cli {

namespace {
// A module's listing is well under a kilobyte; a capture may carry more
// around it, but not this much.
constexpr std::size_t kMaxListingSize = 1024 * 1024;

struct ParseListingArgs {
    std::optional<std::string> file;
    std::optional<int> systemAddress;
    bool json = false;
};

int ParseListing(CliContext& context, ParseListingArgs& args) {
    if (!args.file) throw UsageError("parse-listing: FILE is required");

    RequireFile(*args.file);
    auto workspace = StartWorkspace(context, args.systemAddress);
    workspace->replyText = ReadBoundedFile(*args.file, kMaxListingSize);
    // A conversion failure leaves as an exception: printed, exit code 2.
    ProcessReadConfig(workspace->config, workspace->replyText, workspace->s21Reference, ReadoutSource::Module);

    PrintFields(*workspace, context.out, args.json);
    return kExitOk;
}

}  // namespace

Command ParseListingCommand() {
    return Declare<ParseListingArgs>({
        .name = "parse-listing",
        .usage = "FILE [--sysaddr N] [--json]",
        .summary = "parse a captured AT&V listing and print its fields",
        .rows = {Operand("FILE", "", Offer::File, Accepts::NoDash, false, Keep<&ParseListingArgs::file>),
                 SystemAddressOption<ParseListingArgs>(),
                 JsonFlag<ParseListingArgs>("print every field as one JSON object")},
        .exits = {{0, "done"}, {2, "usage or file error (also a listing the parser refuses)"}},
        .examples = {"qxcfg parse-listing captured.txt"},
        .run = ParseListing,
    });
}

}  // namespace qx::cli
