#include "cli/option_table.h"

#include <optional>

#include "cli/usage_error.h"
#include "config/integer_text.h"

namespace qx::cli {

std::string RowInfo::HelpName() const {
    return kind == Kind::Option && !metavar.empty() ? std::string(names) + " " + std::string(metavar)
                                                    : std::string(names);
}

std::vector<std::string_view> RowInfo::Names() const {
    std::vector<std::string_view> all;
    std::string_view rest = names;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(", ");
        all.push_back(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 2);
    }
    return all;
}

namespace {

// One argument (or an option and its value) as the rows read it.
struct Token {
    std::optional<std::size_t> row;  // the option it names; none for an operand
    std::string_view name;           // the option's name as given
    std::optional<std::string> value;
    bool valueMissing = false;
    std::string text;  // the argument as given
};

// The option row the argument at `at` names, read with its value (which
// moves `at` past it); none when no option row names it.
std::optional<Token> ReadOption(std::span<const RowInfo> rows, const std::vector<std::string>& args,
                                std::size_t& at) {
    const std::string& arg = args[at];
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].kind != RowInfo::Kind::Option) continue;
        for (std::string_view name : rows[r].Names()) {
            const bool exact = arg == name;
            const bool withValue = rows[r].TakesValue() && arg.size() > name.size() && arg.starts_with(name) &&
                                   arg[name.size()] == '=';
            if (!exact && !withValue) continue;
            Token token{r, name, std::nullopt, false, arg};
            ++at;
            if (withValue) {
                token.value = arg.substr(name.size() + 1);
            } else if (rows[r].TakesValue()) {
                if (at < args.size())
                    token.value = args[at++];
                else
                    token.valueMissing = true;
            }
            return token;
        }
    }
    return std::nullopt;
}

bool Takes(const RowInfo& operand, const std::string& word) {
    switch (operand.accepts) {
        case Accepts::NoDash: return !word.starts_with("-");
        case Accepts::NoDoubleDash: return !word.starts_with("--");
        case Accepts::Assignment: return !word.starts_with("-") && word.find('=') != std::string::npos;
        case Accepts::Words: {
            std::string_view rest = operand.Words();
            while (true) {
                const std::size_t bar = rest.find('|');
                if (rest.substr(0, bar) == word) return true;
                if (bar == std::string_view::npos) return false;
                rest.remove_prefix(bar + 1);
            }
        }
        case Accepts::Anything: return true;
    }
    return false;
}

void ApplyOption(const Token& token, const std::function<void(std::size_t, const Given&)>& apply) {
    if (token.valueMissing) throw UsageError(std::string(token.name) + " needs a value");
    apply(*token.row, Given{token.name, token.value.value_or(std::string())});
}

}  // namespace

std::size_t ParseArguments(std::span<const RowInfo> rows, std::span<const Form> forms,
                           const std::vector<std::string>& args,
                           const std::function<void(std::size_t row, const Given&)>& apply) {
    std::vector<Token> tokens;
    for (std::size_t at = 0; at < args.size();) {
        if (auto option = ReadOption(rows, args, at))
            tokens.push_back(std::move(*option));
        else
            tokens.push_back(Token{std::nullopt, {}, std::nullopt, false, args[at++]});
    }
    // The form whose option is given; the first form otherwise.
    std::size_t form = 0;
    for (std::size_t f = 1; f < forms.size() && form == 0; ++f)
        for (const Token& token : tokens)
            if (token.row && rows[*token.row].Names().front() == forms[f].selector) form = f;

    std::vector<bool> taken(rows.size(), false);
    for (const Token& token : tokens) {
        if (token.row && rows[*token.row].In(form)) {
            ApplyOption(token, apply);
            continue;
        }
        // Operands are taken in their rows' order; a row taken once is
        // done unless it repeats.
        std::optional<std::size_t> next;
        for (std::size_t r = 0; r < rows.size() && !next; ++r)
            if (rows[r].kind == RowInfo::Kind::Operand && rows[r].In(form) && (!taken[r] || rows[r].repeats)) next = r;
        if (!next || !Takes(rows[*next], token.text)) {
            const Form& f = forms[form];
            throw UsageError(std::string(f.name) + ": " + std::string(f.unexpected) + " '" + token.text + "'" +
                             std::string(f.note));
        }
        taken[*next] = true;
        apply(*next, Given{rows[*next].names, token.text});
    }
    return form;
}

std::size_t ParseLeadingOptions(std::span<const RowInfo> rows, const std::vector<std::string>& args,
                                const std::function<void(std::size_t row, const Given&)>& apply,
                                const std::function<bool()>& done) {
    std::size_t at = 0;
    while (at < args.size() && args[at].starts_with("-")) {
        const auto option = ReadOption(rows, args, at);
        if (!option) throw UsageError("unknown option '" + args[at] + "'");
        ApplyOption(*option, apply);
        if (done()) break;
    }
    return at;
}

long ParseIntArg(const std::string& text, long min, long max, const std::string& what) {
    const auto v = ParseInteger(text);
    if (!v || *v < min || *v > max)
        throw UsageError(what + " must be a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not '" + text + "'");
    return *v;
}

}  // namespace qx::cli
