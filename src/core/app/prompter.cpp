#include "app/prompter.h"

namespace qx {

std::string ShownMessageText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        out += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&') ++i;
    }
    return out;
}

std::string Message::ShownText() const { return ShownMessageText(text); }

std::string_view KindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "WARNING";
        case MessageKind::Error: return "ERROR";
        case MessageKind::Information: return "INFORMATION";
        case MessageKind::Confirmation: return "CONFIRMATION";
    }
    return "MESSAGE";
}

std::string_view AnswerName(Answer answer) {
    switch (answer) {
        case Answer::Ok: return "OK";
        case Answer::Cancel: return "Cancel";
        case Answer::Yes: return "Yes";
        case Answer::No: return "No";
    }
    return "?";
}

}  // namespace qx
