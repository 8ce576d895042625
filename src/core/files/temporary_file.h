#pragma once
// The temporary file a save writes beside its target before it takes the
// target's place: its names, and its removal on every path that does not
// end in the replacement.

#include <random>
#include <string>

namespace qx {

// The names to try, ".qxsave-" and eight random letters or digits: short,
// so that a target name near the length limit still leaves room for it.
class TemporaryNames {
public:
    static constexpr int kAttempts = 100;

    TemporaryNames();
    // The next name in `folder` (a path ending without a separator),
    // joined by `separator`.
    std::string Next(const std::string& folder, char separator = '/');

private:
    std::mt19937 gen_;
};

// Removes the file named unless Release() says the replacement has taken
// it over.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Set(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;  // UTF-8
};

}  // namespace qx
