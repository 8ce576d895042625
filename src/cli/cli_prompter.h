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

private:
    std::ostream& err_;
    bool answerYes_;
};

// Line breaks (CR LF, LF CR, or a lone CR or LF) each become one space.
std::string OneLine(const std::string& text);

}  // namespace qx::cli
