#include "sim/command_parser.h"

#include <cctype>

namespace qx::sim {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    char Take() { return text_[pos_++]; }
    std::string TakeWhile(bool (*accept)(char)) {
        std::string run;
        while (!AtEnd() && accept(Peek())) run += Take();
        return run;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsListChar(char c) { return IsDigit(c) || c == ','; }

}  // namespace

std::size_t FindCommandStart(std::string_view line) {
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (Upper(line[i]) == 'A' && Upper(line[i + 1]) == 'T') return i + 2;
    }
    return std::string_view::npos;
}

std::optional<std::vector<AtCommand>> ParseCommands(std::string_view body) {
    std::vector<AtCommand> commands;
    Scanner in(body);
    while (!in.AtEnd()) {
        if (in.Peek() == ' ') {
            in.Take();
            continue;
        }
        if (Upper(in.Peek()) == 'A' && Upper(in.Peek(1)) == 'T') {
            in.Take();
            in.Take();
            continue;
        }
        AtCommand command;
        const char first = Upper(in.Take());
        command.name = std::string(1, first);
        if (first == '&' || first == '\\') {
            if (in.AtEnd() || !std::isalpha(static_cast<unsigned char>(in.Peek()))) return std::nullopt;
            command.name += Upper(in.Take());
        } else if (!std::isalpha(static_cast<unsigned char>(first))) {
            return std::nullopt;
        }
        if (command.name == "S" || command.name == "&Z") {
            const std::string number = in.TakeWhile(IsDigit);
            if (number.empty() || number.size() > 3) return std::nullopt;
            command.index = std::stoi(number);
            if (in.Peek() == '?') {
                command.op = in.Take();
            } else if (in.Peek() == '=') {
                command.op = in.Take();
                command.arg = command.name == "S" ? in.TakeWhile(IsDigit) : in.TakeWhile(IsListChar);
            } else {
                return std::nullopt;
            }
        } else {
            command.arg = in.TakeWhile(IsDigit);
        }
        commands.push_back(std::move(command));
    }
    return commands;
}

}  // namespace qx::sim
