#include "cli/completion_script.h"

#include <stdexcept>
#include <string>

#include "app/module_rates.h"
#include "cli/commands.h"
#include "cli/global_options.h"
#include "serial/host_serial_settings.h"

namespace qx::cli {

namespace {

// This computer's formats, the usual ones first.
std::string FormatWords() {
    std::string words;
    const auto add = [&words](const SerialFormat& format) {
        const std::string text = *SerialFormatText(format, kHostParityLetters);
        if (words.find(text) == std::string::npos) words += (words.empty() ? "" : "|") + text;
    };
    for (const SerialFormat& format : kHostFormats) add(format);
    for (int parity = 0; parity < static_cast<int>(kHostParityLetters.size()); ++parity)
        for (int data = 1; data >= 0; --data)
            for (int stop = 0; stop <= 1; ++stop) add({.parity = parity, .data = data, .stop = stop});
    return words;
}

std::string RateWords() {
    std::string words;
    for (const ModuleRate& rate : kHostRates) words += (words.empty() ? "" : "|") + std::string(rate.text);
    return words;
}

// What the logic offers for a value or an operand, by its name there.
std::string OfferWord(const RowInfo& row) {
    switch (row.offer) {
        case Offer::Nothing: return "nothing";
        case Offer::Words: return "words:" + std::string(row.Words());
        case Offer::File: return "file";
        case Offer::ConfigFile: return "config-file";
        case Offer::Port: return "port";
        case Offer::ComMapping: return "com-mapping";
        case Offer::Rate: return "words:" + RateWords();
        case Offer::Format: return "words:" + FormatWords();
        case Offer::Setting: return "setting";
        case Offer::SettingName: return "setting-name";
        case Offer::Configuration: return "configuration";
        case Offer::Command: return "command";
    }
    return "nothing";
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// One declaration per option that takes a value, keyed by the command and
// the option ("" for the global options).
void WriteValues(std::ostream& out, std::string_view command, const std::vector<RowInfo>& rows) {
    for (const RowInfo& row : rows) {
        if (!row.TakesValue()) continue;
        for (std::string_view name : row.Names())
            out << "    [" << Quoted(command.empty() ? std::string(name) : std::string(command) + " " + std::string(name))
                << "]=" << Quoted(OfferWord(row)) << '\n';
    }
}

}  // namespace

void WriteCompletionTables(std::ostream& out) {
    out << "# qxcfg's option tables, written from the program's own declarations.\n";
    out << "_qxcfg_commands=(";
    for (const Command& command : Commands()) out << ' ' << command.name;
    out << " )\n_qxcfg_global_options=(";
    const auto globals = Infos(GlobalOptionRows());
    for (const RowInfo& row : globals)
        for (std::string_view name : row.Names()) out << ' ' << name;
    out << " )\n";

    // Every option of a command, whatever its form.
    out << "declare -A _qxcfg_options=(\n";
    for (const Command& command : Commands()) {
        std::string names;
        for (const RowInfo& row : command.rows)
            if (row.kind == RowInfo::Kind::Option)
                for (std::string_view name : row.Names()) names += (names.empty() ? "" : " ") + std::string(name);
        out << "    [" << command.name << "]=" << Quoted(names) << '\n';
    }
    out << ")\n";

    // What the value of an option is.
    out << "declare -A _qxcfg_values=(\n";
    WriteValues(out, "", globals);
    for (const Command& command : Commands()) WriteValues(out, command.name, command.rows);
    out << ")\n";

    // Each form's operands in order ("+": taken again and again), and the
    // option that chooses a form other than the first.
    out << "declare -A _qxcfg_operands=(\n";
    std::string selectors;
    for (const Command& command : Commands()) {
        for (std::size_t form = 0; form < command.forms.size(); ++form) {
            std::string operands;
            for (const RowInfo& row : command.rows)
                if (row.kind == RowInfo::Kind::Operand && row.In(form))
                    operands += (operands.empty() ? "" : " ") + OfferWord(row) + (row.repeats ? "+" : "");
            const std::string key =
                form == 0 ? std::string(command.name) : std::string(command.name) + " " + std::string(command.forms[form].selector);
            out << "    [" << Quoted(key) << "]=" << Quoted(operands) << '\n';
            if (form > 0) selectors += "    [" + std::string(command.name) + "]=" + Quoted(command.forms[form].selector) + "\n";
        }
    }
    out << ")\ndeclare -A _qxcfg_forms=(\n" << selectors << ")\n";
}

void WriteCompletionScript(std::string_view logic, std::ostream& out) {
    const std::size_t mark = logic.find(kCompletionTablesMark);
    if (mark == std::string_view::npos) throw std::runtime_error("the completion logic has no line for the tables");
    out << logic.substr(0, mark);
    WriteCompletionTables(out);
    const std::size_t after = logic.find('\n', mark);
    if (after != std::string_view::npos) out << logic.substr(after + 1);
}

}  // namespace qx::cli
