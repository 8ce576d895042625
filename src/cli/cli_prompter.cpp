#include "cli/cli_prompter.h"

namespace qx::cli {

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

Answer CliPrompter::Show(const Message& message) {
    if (message.kind == MessageKind::Error) ++errorsShown_;
    err_ << KindName(message.kind) << ": " << OneLine(message.ShownText());
    Answer answer = Answer::Ok;
    switch (message.buttons) {
        case MessageButtons::Ok: break;
        case MessageButtons::YesNo: answer = answerYes_ ? Answer::Yes : Answer::No; break;
        case MessageButtons::OkCancel: answer = answerYes_ ? Answer::Ok : Answer::Cancel; break;
    }
    if (message.IsQuestion()) err_ << " -> " << AnswerName(answer);
    err_ << '\n';
    err_.flush();
    return answer;
}

}  // namespace qx::cli
