#include "cli/json_object.h"

#include <algorithm>

namespace qx::cli {

namespace {

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::vector<JsonMember> Object() {
        std::vector<JsonMember> members;
        Expect('{');
        if (Peek() == '}') {
            ++pos_;
        } else {
            for (;;) {
                JsonMember member;
                if (Peek() != '"') Fail("expected a key in double quotes");
                member.key = String();
                if (std::any_of(members.begin(), members.end(), [&](const JsonMember& m) { return m.key == member.key; }))
                    throw JsonError("key \"" + member.key + "\" is given twice");
                Expect(':');
                Value(member);
                members.push_back(std::move(member));
                const char next = Peek();
                ++pos_;
                if (next == '}') break;
                if (next != ',') Fail("expected ',' or '}'", pos_ - 1);
            }
        }
        if (Peek() != '\0') Fail("unexpected text after the object");
        return members;
    }

private:
    [[noreturn]] void Fail(const std::string& what, std::size_t at) const {
        throw JsonError(what + " at offset " + std::to_string(at));
    }
    [[noreturn]] void Fail(const std::string& what) const { Fail(what, pos_); }

    // What a value that is no number or string is, by its first character.
    std::string ValueNamed(char c) const {
        for (std::string_view literal : {"true", "false", "null"})
            if (text_.substr(pos_).starts_with(literal)) return std::string(literal);
        switch (c) {
            case '{': return "an object";
            case '[': return "an array";
            case '\0': return "nothing";
            default: return "'" + std::string(1, c) + "'";
        }
    }

    // The next character that is not white space; '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r'))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void Expect(char c) {
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    void Value(JsonMember& member) {
        const char c = Peek();
        if (c == '"') {
            member.kind = JsonMember::Kind::String;
            member.text = String();
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            member.kind = JsonMember::Kind::Number;
            member.text = Number();
        } else {
            throw JsonError("\"" + member.key + "\": " + ValueNamed(c) + " is not a field value (numbers and strings only)");
        }
    }

    std::string String() {
        ++pos_;  // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= text_.size()) Fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string", pos_ - 1);
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) Fail("unterminated string");
            const char e = text_[pos_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': out += Unicode(); break;
                default: Fail("unknown escape in a string", pos_ - 1);
            }
        }
    }

    // \uXXXX: texts are 8-bit, so only U+0000..U+00FF, one byte each (the
    // escapes qxcfg writes for the bytes of a module's status line).
    char Unicode() {
        if (pos_ + 4 > text_.size()) Fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[pos_++];
            value <<= 4;
            if (h >= '0' && h <= '9') value |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') value |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') value |= static_cast<unsigned>(h - 'A' + 10);
            else Fail("bad \\u escape", pos_ - 1);
        }
        if (value > 0xFF) Fail("\\u escape beyond U+00FF", pos_ - 6);
        return static_cast<char>(value);
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    std::string Number() {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
            if (pos_ == from) Fail("expected a digit");
        };
        if (text_[pos_] == '-') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '0') {
            ++pos_;
        } else {
            digits();
        }
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            digits();
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            digits();
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<JsonMember> ParseJsonObject(std::string_view text) {
    // A UTF-8 byte-order mark, which some editors write first, says nothing here.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    return JsonReader(text).Object();
}

}  // namespace qx::cli
