#pragma once
// Prints every message and question on standard error as one line
// "KIND: text" and answers questions from --yes / --no.

#include <ostream>

#include "app/prompter.h"

namespace qx::cli {

class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}
    Answer Show(const Message& message) override;

    // How many error messages have been shown: a command that showed one
    // has failed.
    int ErrorsShown() const { return errorsShown_; }

private:
    int errorsShown_ = 0;
    std::ostream& err_;
    bool answerYes_;
};

// Line breaks (CR LF, LF CR, or a lone CR or LF) each become one space.
std::string OneLine(const std::string& text);

}  // namespace qx::cli
