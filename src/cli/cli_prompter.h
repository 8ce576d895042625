#pragma once
// Prints every message and question on standard error as one line
// "KIND: text". Questions are answered by --yes or --no when one was
// given; otherwise by the user at a terminal (y/n, Enter taking the first
// button, as in the window's message box), or, with nobody to ask, by that
// same default, except that a destructive question is then answered No.

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

}  // namespace qx::cli
