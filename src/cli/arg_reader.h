#pragma once
// Walks a command's arguments: options as "--name VALUE" or "--name=VALUE",
// flags as "--name", everything else positional.

#include <optional>
#include <string>
#include <vector>

namespace qx::cli {

class ArgReader {
public:
    explicit ArgReader(std::vector<std::string> args) : args_(std::move(args)) {}

    bool AtEnd() const { return pos_ >= args_.size(); }
    const std::string& Peek() const { return args_[pos_]; }
    std::string Next() { return args_[pos_++]; }

    // When the next argument is the flag `name`, consumes it.
    bool TakeFlag(const std::string& name);
    // When the next argument is the option `name`, consumes it with its
    // value (a missing value is a usage error).
    std::optional<std::string> TakeOption(const std::string& name);

private:
    std::vector<std::string> args_;
    std::size_t pos_ = 0;
};

// A whole decimal number within [min, max], or a usage error naming `what`.
long ParseIntArg(const std::string& text, long min, long max, const std::string& what);

}  // namespace qx::cli
