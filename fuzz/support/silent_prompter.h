#pragma once
// A prompter for fuzz targets: answers every question Yes, counts messages.

#include "app/prompter.h"

namespace qx::fuzz {

class SilentPrompter : public Prompter {
public:
    Answer Show(const Message& message) override {
        ++shown;
        return message.IsQuestion() ? Answer::Yes : Answer::Ok;
    }
    int shown = 0;
};

}  // namespace qx::fuzz
