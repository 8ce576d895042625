// qxcfg's answers to the questions the rules ask: --yes and --no, the user
// at a terminal (y/n, Enter for the first button, but No for a destructive
// question), and nobody to ask, when a destructive question is answered No.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "cli/cli_prompter.h"

namespace qx::cli {
namespace {

struct QuestionCase {
    const char* name;
    AnswerPolicy policy;
    std::optional<std::string> typed;  // what the user types; none: no terminal
    MessageButtons buttons;
    bool destructive;
    Answer answer;
    std::string printed;  // after "CONFIRMATION: Go?"
    bool declinedUnasked;
};

void PrintTo(const QuestionCase& c, std::ostream* os) { *os << c.name; }

class CliQuestions : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(CliQuestions, AreAnsweredByTheFlagsTheUserOrTheDefault) {
    const QuestionCase& c = GetParam();
    std::ostringstream err;
    std::istringstream terminal(c.typed.value_or(""));
    CliPrompter prompter(err, c.policy, c.typed ? &terminal : nullptr);
    EXPECT_EQ(prompter.Show(Message{MessageKind::Confirmation, c.buttons, "Go?", c.destructive}), c.answer);
    EXPECT_EQ(err.str(), "CONFIRMATION: Go?" + c.printed);
    EXPECT_EQ(prompter.DeclinedUnasked(), c.declinedUnasked);
}

using enum AnswerPolicy;
using enum MessageButtons;

INSTANTIATE_TEST_SUITE_P(
    Cli, CliQuestions,
    ::testing::Values(
        QuestionCase{"YesFlag", Yes, std::nullopt, YesNo, true, Answer::Yes, " -> Yes\n", false},
        QuestionCase{"NoFlag", No, std::nullopt, OkCancel, false, Answer::Cancel, " -> Cancel\n", false},
        QuestionCase{"NobodyToAskTakesTheDefault", Ask, std::nullopt, YesNo, false, Answer::Yes, " -> Yes\n", false},
        QuestionCase{"NobodyToAskNeverDestroys", Ask, std::nullopt, YesNo, true, Answer::No, " -> No\n", true},
        QuestionCase{"TerminalYes", Ask, "Y\n", YesNo, true, Answer::Yes, " [y/N] ", false},
        QuestionCase{"TerminalEnterNeverDestroys", Ask, "\n", YesNo, true, Answer::No, " [y/N] ", false},
        QuestionCase{"TerminalEnterIsTheFirstButton", Ask, "\n", OkCancel, false, Answer::Ok, " [Y/n] ", false},
        QuestionCase{"TerminalAsksAgain", Ask, "maybe\n no \n", YesNo, false, Answer::No,
                     " [Y/n] Please answer y or n: ", false},
        QuestionCase{"TerminalClosedIsNoConsent", Ask, "", YesNo, true, Answer::No, " [y/N] \n", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx::cli
