// The parse of qxcfg's option tables, on a table of its own: options with
// and without values, in both spellings, operands in their rows' order, and
// the form an option chooses; each argument list gives what was set, in
// order, or the usage error.

#include <gtest/gtest.h>

#include "cli/option_table.h"
#include "cli/usage_error.h"

namespace qx::cli {
namespace {

struct Args {
    std::vector<std::string> trace;  // "name=value" per row applied, in order
};

void Trace(Args& a, const Given& g) { a.trace.push_back(std::string(g.name) + "=" + g.value); }

constexpr unsigned kFirst = 1u << 0;
constexpr unsigned kSecond = 1u << 1;

const std::vector<Row<Args>> kRows = {
    Operand("FILE", "", Offer::ConfigFile, Accepts::NoDash, false, Trace).InForms(kFirst),
    Operand("NAME=VALUE", "", Offer::Setting, Accepts::Assignment, true, Trace),
    Option("--out", "FILE", "", Offer::File, Trace),
    Flag("--json", "", Trace).InForms(kSecond),
    Flag("--yes, --no", "", Trace),
    Option("--port", "P", "", Offer::Port, Trace).InForms(kSecond),
};
const std::vector<Form> kForms = {Form{"cmd"}, Form{"cmd --port", "--port", "unexpected argument", " (NAME=VALUE)"}};

std::string Parse(const std::vector<std::string>& args) {
    Args parsed;
    try {
        const std::size_t form = ParseArguments(Infos(kRows), kForms, args, Applier(kRows, parsed));
        std::string text = "form " + std::to_string(form) + ":";
        for (const std::string& t : parsed.trace) text += " " + t;
        return text;
    } catch (const UsageError& e) {
        return std::string("error: ") + e.what();
    }
}

TEST(OptionTable, ParsesAsTheTableSays) {
    struct Case {
        std::vector<std::string> args;
        std::string result;
    };
    for (const Case& k : std::vector<Case>{
             {{"a.X7R", "s7=1", "--out", "b", "s8=2"}, "form 0: FILE=a.X7R NAME=VALUE=s7=1 --out=b NAME=VALUE=s8=2"},
             {{"--out=--json", "--no", "a"}, "form 0: --out=--json --no= FILE=a"},
             {{"s7=1", "--port", "/dev/x"}, "form 1: NAME=VALUE=s7=1 --port=/dev/x"},
             {{"--port=/dev/x", "--json", "--yes"}, "form 1: --port=/dev/x --json= --yes="},
             {{"a", "b"}, "error: cmd: unexpected argument 'b'"},
             {{"-a"}, "error: cmd: unexpected argument '-a'"},
             {{"a", "--json"}, "error: cmd: unexpected argument '--json'"},
             {{"--port", "p", "a"}, "error: cmd --port: unexpected argument 'a' (NAME=VALUE)"},
             {{"a", "--out"}, "error: --out needs a value"},
             {{"--json=1", "--port", "p"}, "error: cmd --port: unexpected argument '--json=1' (NAME=VALUE)"},
         })
        EXPECT_EQ(Parse(k.args), k.result) << k.args.front();
}

TEST(OptionTable, LeadingOptionsStopAtTheFirstOperandOrWhenDone) {
    std::vector<std::string> seen;
    const auto apply = [&seen](std::size_t row, const Given& g) { seen.push_back(std::to_string(row) + g.value); };
    EXPECT_EQ(ParseLeadingOptions(Infos(kRows), {"--out", "x", "--yes", "cmd", "--no"}, apply, [] { return false; }), 3u);
    EXPECT_EQ(seen, (std::vector<std::string>{"2x", "4"}));
    EXPECT_EQ(ParseLeadingOptions(Infos(kRows), {"--yes", "--bad"}, apply, [] { return true; }), 1u);
    EXPECT_THROW(ParseLeadingOptions(Infos(kRows), {"--bad", "cmd"}, apply, [] { return false; }), UsageError);
}

}  // namespace
}  // namespace qx::cli
