#pragma once
// The character that, sent three times, brings a module from data mode back
// to command mode. "+" at every start; the escape character dialog and a
// Configure (from the S2 field) change it.

#include <string>

namespace qx {

class EscapeCharacter {
public:
    static constexpr int kDefault = 43;  // '+'

    int Code() const { return code_; }
    // Always kept within 1..255.
    void Set(long code) { code_ = code < 1 ? 1 : code > 255 ? 255 : static_cast<int>(code); }
    void Reset() { code_ = kDefault; }
    // The escape sequence: the character three times ("+++").
    std::string Sequence() const { return std::string(3, static_cast<char>(code_)); }

private:
    int code_ = kDefault;
};

}  // namespace qx
