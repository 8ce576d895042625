#include "cli/cli_prompter.h"

#include <algorithm>
#include <cctype>

namespace qx::cli {

namespace {

// The first button of each set is the default, as in a message box.
Answer Positive(MessageButtons buttons) { return buttons == MessageButtons::OkCancel ? Answer::Ok : Answer::Yes; }
Answer Negative(MessageButtons buttons) { return buttons == MessageButtons::OkCancel ? Answer::Cancel : Answer::No; }

// The typed word, lower case, without surrounding blanks.
std::string Word(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    std::string word = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word;
}

}  // namespace

std::string OneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            const char pair = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == pair) ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string ErrorLines(const std::string& report) {
    const std::size_t end = std::min(report.find_first_of("\r\n"), report.size());
    std::string rest = OneLine(report.substr(end));
    rest.erase(0, std::min(rest.find_first_not_of(' '), rest.size()));
    return "ERROR: " + report.substr(0, end) + '\n' + (rest.empty() ? "" : "  " + rest + '\n');
}

Answer CliPrompter::Show(const Message& message) {
    if (message.kind == MessageKind::Error && !message.IsQuestion()) {
        err_ << ErrorLines(message.ShownText()) << std::flush;
        return Answer::Ok;
    }
    err_ << KindName(message.kind) << ": " << OneLine(message.ShownText());
    if (!message.IsQuestion()) {
        err_ << '\n' << std::flush;
        return Answer::Ok;
    }
    if (policy_ == AnswerPolicy::Ask && terminal_) return AskTerminal(message);
    Answer answer = Positive(message.buttons);
    if (policy_ == AnswerPolicy::No) {
        answer = Negative(message.buttons);
    } else if (policy_ == AnswerPolicy::Ask && message.destructive) {
        answer = Negative(message.buttons);
        declinedUnasked_ = true;
    }
    err_ << " -> " << AnswerName(answer) << '\n' << std::flush;
    return answer;
}

// y or n; Enter for the first button, as the window's message box has it,
// except that a command-line tool takes no destructive action on a bare
// Enter: there Enter answers No ("[y/N]"). Anything else asks again. The
// end of the input (or an interrupted read) is no consent: the negative
// answer.
Answer CliPrompter::AskTerminal(const Message& message) {
    const Answer yes = Positive(message.buttons);
    const Answer no = Negative(message.buttons);
    const Answer byEnter = message.destructive ? no : yes;
    err_ << (message.destructive ? " [y/N] " : " [Y/n] ") << std::flush;
    for (std::string line; std::getline(*terminal_, line);) {
        const std::string word = Word(line);
        if (word.empty()) return byEnter;
        if (word == "y" || word == "yes") return yes;
        if (word == "n" || word == "no") return no;
        err_ << "Please answer y or n: " << std::flush;
    }
    terminal_->clear();
    err_ << '\n' << std::flush;
    return no;
}

}  // namespace qx::cli
