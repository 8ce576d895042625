#pragma once
// Owns one POSIX file descriptor and closes it exactly once. Close() closes
// it early with the result reported: for a written file a failed close can
// mean that data was lost, which a save must not pass over.

#include <unistd.h>

#include <utility>

namespace qx {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }

    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.fd_, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now; 0, or -1 with errno set.
    int Close() {
        if (fd_ < 0) return 0;
        return ::close(std::exchange(fd_, -1));
    }

private:
    int fd_ = -1;
};

}  // namespace qx
