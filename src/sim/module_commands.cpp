// What the module does with one command line.
#include "sim/command_parser.h"
#include "sim/listing.h"
#include "sim/module.h"
#include "sim/number_text.h"

namespace qx::sim {

void Module::ExecuteLine(const std::string& line, TimePoint now) {
    // Anything before the first "AT" is noise; a line without "AT" counts as
    // an empty line, which the module answers with its result code.
    const std::size_t start = FindCommandStart(line);
    const auto commands = start == std::string::npos ? std::optional<std::vector<AtCommand>>(std::vector<AtCommand>{})
                                                     : ParseCommands(std::string_view(line).substr(start));
    std::string info;
    bool ok = commands.has_value();
    bool restart = false;
    bool online = false;
    if (ok) {
        for (const AtCommand& command : *commands) {
            bool stop = false;
            if (!Execute(command, info, stop)) {
                ok = false;
                break;
            }
            if (stop) {
                restart = command.name == "Z";
                online = !restart;
                break;
            }
        }
    }
    // The answer goes out under the settings in force after the line, except
    // that "ATZ" answers before it restarts.
    std::string reply = info + ResultCode(ok);
    if (restart) Restart(now);
    if (online) GoOnline(now);
    Emit(Output::Kind::Reply, std::move(reply), true);
    output_.back().answers = line;
}

std::string Module::ListingText() const {
    if (!options_.listingCut) return FormatListing(active_, options_.model);
    // The host's read begins with the echo of "AT&V" CR (when echo is on),
    // then the verbose line end ahead of the listing.
    const std::size_t before = lineEchoed_ + (active_.Letter("V") == 1 ? 2 : 0);
    return FormatListingCutAt(active_, options_.model, before, *options_.listingCut);
}

bool Module::Execute(const AtCommand& command, std::string& info, bool& stop) {
    const ModelInfo& model = options_.model;
    const std::string& name = command.name;
    if (name == "S") {
        if (command.op == '?') {
            if (command.index >= kSRegisterCount) return false;
            info += InfoText(ZeroPadded(active_.SReg(command.index), 3) + "\r\n");
            return true;
        }
        const auto value = ParseDecimal(command.arg);
        if (value && command.index >= 0 && options_.ignoredSReg == static_cast<unsigned>(command.index)) return true;
        return value && active_.SetSReg(command.index, *value, model);
    }
    if (name == "&Z") {
        if (command.index >= kProfileCount) return false;
        if (command.op == '?') {
            info += InfoText(active_.Profile(command.index) + "\r\n");
            return true;
        }
        return active_.SetProfile(command.index, command.arg);
    }
    const auto value = command.arg.empty() ? std::optional<int>(0) : ParseDecimal(command.arg);
    if (!value) return false;
    if (name == "I") {
        info += InfoText(IdentificationText(model) + "\r\n");
        return true;
    }
    if (name == "&V") {
        info += InfoText(ListingText());
        return true;
    }
    if (name == "&W") {
        if (store_ && !store_(active_)) return false;
        stored_ = active_;
        return true;
    }
    if (name == "&F") {
        active_ = ModuleSettings::Factory(model);
        return true;
    }
    if (name == "Z") {
        stop = true;
        return true;
    }
    if (name == "O") {
        stop = true;
        return true;
    }
    if (name == "&T") {
        if (*value > 3) return false;
        info += InfoText("TEST " + ZeroPadded(*value, 2) + "\r\n");
        test_ = *value;
        stop = true;
        return true;
    }
    if (name == "&K" && *value == 5 && options_.rejectXon) return false;
    return active_.SetLetter(name, *value, model);
}

}  // namespace qx::sim
