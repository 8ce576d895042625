#pragma once
// A prompter for runs without a person at the screen (--selftest,
// --screenshot): prints "KIND: text" on standard error and answers the
// question's first button.

#include <iostream>

#include "app/prompter.h"

namespace qx::gui {

class StreamPrompter final : public Prompter {
public:
    Answer Show(const Message& message) override {
        std::cerr << KindName(message.kind) << ": " << message.ShownText() << '\n';
        return message.buttons == MessageButtons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

}  // namespace qx::gui
