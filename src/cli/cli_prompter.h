#pragma once
// Prints every message and question on standard error as one line
// "KIND: text"; an error's further lines (the cause a port's report names)
// follow on one indented line. Questions are answered by --yes or --no when
// one was given; otherwise by the user at a terminal (y/n, Enter taking the
// first button, as in the window's message box, except for a destructive
// question, where Enter answers No), or, with nobody to ask, by that first
// button, except that a destructive question is then answered No.

#include <istream>
#include <ostream>

#include "app/prompter.h"

namespace qx::cli {

// --yes, --no, or neither (Ask).
enum class AnswerPolicy { Ask, Yes, No };

class CliPrompter : public Prompter {
public:
    // `terminal` is where the user types answers (standard input when it is
    // a terminal); null when there is nobody to ask.
    CliPrompter(std::ostream& err, AnswerPolicy policy, std::istream* terminal = nullptr)
        : err_(err), policy_(policy), terminal_(terminal) {}
    Answer Show(const Message& message) override;

    // A destructive question was answered No because nobody could be asked
    // and --yes was not given.
    bool DeclinedUnasked() const { return declinedUnasked_; }

private:
    Answer AskTerminal(const Message& message);

    std::ostream& err_;
    AnswerPolicy policy_;
    std::istream* terminal_;
    bool declinedUnasked_ = false;
};

// Line breaks (CR LF, LF CR, or a lone CR or LF) each become one space.
std::string OneLine(const std::string& text);

// A failure as qxcfg reports it, whatever failed (the module, the port, a
// file): "ERROR: " and the report's first line, then, when the report goes
// on (the cause of a port that cannot be opened, a hint), the rest as one
// line indented by two spaces. Each line ends with a line feed.
//   ERROR: COM1- This port may be already in use or not present.
//     No such device: /dev/ttyUSB0 (see: qxcfg ports)
std::string ErrorLines(const std::string& report);

}  // namespace qx::cli
