#pragma once
// The seam through which the core asks the user something or tells them
// something. The window shows a message box; qxcfg prints the text and
// answers from its flags; tests script the answers.

#include <string>
#include <string_view>

namespace qx {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    MessageKind kind;
    MessageButtons buttons;
    // The text as stored: a doubled "&&" stands for one "&" on screen.
    std::string text;
    // Yes destroys something the user cannot get back (the module's
    // configuration): a front end that cannot ask anybody never answers
    // Yes on its own.
    bool destructive = false;

    // The text as the user sees it.
    std::string ShownText() const;
    bool IsQuestion() const { return buttons != MessageButtons::Ok; }
};

// "&&" -> "&"; everything else as it stands.
std::string ShownMessageText(std::string_view stored);

std::string_view KindName(MessageKind kind);
std::string_view AnswerName(Answer answer);

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows the message modally and returns the button pressed.
    virtual Answer Show(const Message& message) = 0;
};

// Convenience wrappers used by the rules.
inline Answer Ask(Prompter& p, MessageKind kind, MessageButtons buttons, std::string text) {
    return p.Show(Message{kind, buttons, std::move(text)});
}
inline void Tell(Prompter& p, MessageKind kind, std::string text) {
    p.Show(Message{kind, MessageButtons::Ok, std::move(text)});
}
inline Answer AskDestructive(Prompter& p, MessageKind kind, MessageButtons buttons, std::string text) {
    return p.Show(Message{kind, buttons, std::move(text), true});
}

}  // namespace qx
