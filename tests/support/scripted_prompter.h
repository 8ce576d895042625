#pragma once
// A prompter for tests: records every message shown and answers questions
// from a script (then from a default answer).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/prompter.h"

namespace qx::test {

class ScriptedPrompter : public Prompter {
public:
    explicit ScriptedPrompter(Answer defaultAnswer = Answer::Yes) : defaultAnswer_(defaultAnswer) {}

    Answer Show(const Message& message) override {
        shown.push_back(message);
        if (onShow) onShow(message);
        if (!message.IsQuestion()) return Answer::Ok;
        if (!script_.empty()) {
            const Answer a = script_.front();
            script_.pop_front();
            return a;
        }
        return defaultAnswer_;
    }

    void Script(std::initializer_list<Answer> answers) { script_.insert(script_.end(), answers); }
    void SetDefaultAnswer(Answer a) { defaultAnswer_ = a; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& m : shown) t.push_back(m.text);
        return t;
    }
    void Clear() { shown.clear(); }

    std::vector<Message> shown;
    // Called with each message as it is shown (to see where and when).
    std::function<void(const Message&)> onShow;

private:
    std::deque<Answer> script_;
    Answer defaultAnswer_;
};

}  // namespace qx::test
