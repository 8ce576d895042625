#pragma once
// The options of a qxcfg command, declared once: one table per command,
// one row per option (its names, metavariable, help text, what the shell
// completion offers for its value, and what it sets), per operand, or per
// line of help. That table is the parse, the command's --help and its part
// of the manual page (help_text.h), and the shell completion
// (completion_script.h); a further option is a further row.
//
// A command may have more than one form, each chosen by an option of its
// own ("set --port" works on a module, "set FILE" on a file): every row
// says the forms it belongs to, and the parse takes the form whose option
// is given.
//
// The parse: "--name VALUE" or "--name=VALUE", flags "--name", in any
// order; an argument that is no option of the form is an operand if an
// operand row takes it, else a usage error naming it. What an option sets
// is set in the order given, so the first bad value is the one reported.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::cli {

// What the shell completion offers for an option's value or an operand.
enum class Offer : std::uint8_t {
    Nothing,        // a number or free text
    Words,          // the alternatives the metavariable lists ("1|2|3", "start|stop")
    File,           // any file
    ConfigFile,     // a .X7R file
    Port,           // COM1..COM8 and the serial devices present
    ComMapping,     // N= for a com slot, then a port
    Rate,           // this computer's rates
    Format,         // parity-data-stop formats
    Setting,        // NAME=VALUE of a setting
    SettingName,    // the name of a setting
    Configuration,  // a .X7R file or port:PORT
    Command,        // a qxcfg command
};

// The words an operand takes.
enum class Accepts : std::uint8_t {
    NoDash,        // not starting with "-"
    NoDoubleDash,  // not starting with "--"
    Assignment,    // NAME=VALUE: not starting with "-", holding "="
    Words,         // one of the alternatives its metavariable lists
    Anything,
};

inline constexpr unsigned kEveryForm = ~0u;

// A row without what it sets: all that help, manual page and completion
// need of it.
struct RowInfo {
    enum class Kind : std::uint8_t { Option, Operand, Note };
    Kind kind;
    // An option's names ("--port"; "-h, --help" where each does the same),
    // an operand's name ("FILE"), or a note's left column.
    std::string_view names;
    // The value an option takes ("COMn|PATH|URL"), empty for a flag.
    std::string_view metavar;
    std::string_view help;  // one line; empty: the row is not listed
    Offer offer = Offer::Nothing;
    unsigned forms = kEveryForm;  // the forms it belongs to, one bit each (bit 0: the first)
    Accepts accepts = Accepts::Anything;  // an operand's words
    bool repeats = false;                 // an operand taken more than once

    bool TakesValue() const { return kind == Kind::Option && !metavar.empty(); }
    // The alternatives of Offer::Words and Accepts::Words: an option's
    // metavariable, an operand's name ("start|stop").
    std::string_view Words() const { return kind == Kind::Operand ? names : metavar; }
    bool In(std::size_t form) const { return (forms >> form & 1u) != 0; }
    // The left column of its help line: "--port COMn|PATH|URL".
    std::string HelpName() const;
    // Each of its names.
    std::vector<std::string_view> Names() const;
};

// How an option was given: the name used ("--no" of "--yes, --no") and its
// value (empty for a flag); an operand's word.
struct Given {
    std::string_view name;
    std::string value;
};

// A form of a command: the name its usage errors start with, the option
// that chooses it (none for the first form, the one taken without any),
// and how an argument it does not take is called.
struct Form {
    std::string_view name;
    std::string_view selector = {};
    std::string_view unexpected = "unexpected argument";
    std::string_view note = {};  // after the argument in that error
};

// ---- Rows of a command's arguments (Args) ----------------------------------

template <typename Args>
using Setter = void (*)(Args&, const Given&);

template <typename Args>
struct Row {
    RowInfo info;
    Setter<Args> set = nullptr;

    Row InForms(unsigned forms) const {
        Row row = *this;
        row.info.forms = forms;
        return row;
    }
};

template <typename Args>
Row<Args> Option(std::string_view names, std::string_view metavar, std::string_view help, Offer offer,
                 Setter<Args> set) {
    return {{RowInfo::Kind::Option, names, metavar, help, offer}, set};
}

template <typename Args>
Row<Args> Flag(std::string_view names, std::string_view help, Setter<Args> set) {
    return {{RowInfo::Kind::Option, names, {}, help}, set};
}

template <typename Args>
Row<Args> Operand(std::string_view name, std::string_view help, Offer offer, Accepts accepts, bool repeats,
                  Setter<Args> set) {
    return {{RowInfo::Kind::Operand, name, {}, help, offer, kEveryForm, accepts, repeats}, set};
}

// A line of help that is no row of the parse ("--port P --port Q ...").
template <typename Args>
Row<Args> Note(std::string_view text, std::string_view help) {
    return {{RowInfo::Kind::Note, text, {}, help}, nullptr};
}

// The rows of `first`, then those of `second`.
template <typename Args>
std::vector<Row<Args>> Join(std::vector<Row<Args>> first, const std::vector<Row<Args>>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Setters of a member of Args: a flag raised, a value kept, a value added.
template <typename T>
struct MemberOf;
template <typename C, typename M>
struct MemberOf<M C::*> {
    using Class = C;
};
template <auto member>
void Raise(typename MemberOf<decltype(member)>::Class& args, const Given&) {
    args.*member = true;
}
template <auto member>
void Keep(typename MemberOf<decltype(member)>::Class& args, const Given& given) {
    args.*member = given.value;
}
template <auto member>
void Append(typename MemberOf<decltype(member)>::Class& args, const Given& given) {
    (args.*member).push_back(given.value);
}

// ---- The parse -------------------------------------------------------------

// Parses a command's arguments against its rows (see the top of this
// file); `apply` is called with each row's index and what was given, in
// the order given. The form chosen is returned. UsageError on a missing
// value or an argument no row takes.
std::size_t ParseArguments(std::span<const RowInfo> rows, std::span<const Form> forms,
                           const std::vector<std::string>& args,
                           const std::function<void(std::size_t row, const Given&)>& apply);

// The options before a command: applies them in order until the first
// argument that does not start with "-" (or until `done` says so after an
// option) and returns its index. UsageError "unknown option" for an
// argument no row names, or on a missing value.
std::size_t ParseLeadingOptions(std::span<const RowInfo> rows, const std::vector<std::string>& args,
                                const std::function<void(std::size_t row, const Given&)>& apply,
                                const std::function<bool()>& done);

// The row infos of a table, and a call that applies them to `args`.
template <typename Args>
std::vector<RowInfo> Infos(const std::vector<Row<Args>>& rows) {
    std::vector<RowInfo> infos;
    for (const Row<Args>& row : rows) infos.push_back(row.info);
    return infos;
}
template <typename Args>
std::function<void(std::size_t, const Given&)> Applier(const std::vector<Row<Args>>& rows, Args& args) {
    return [&rows, &args](std::size_t row, const Given& given) { rows[row].set(args, given); };
}

// A whole decimal number within [min, max], or a usage error naming `what`.
long ParseIntArg(const std::string& text, long min, long max, const std::string& what);

}  // namespace qx::cli
