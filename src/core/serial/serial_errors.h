#pragma once
// The errors of the serial link. Each class stands on its own (none is a
// kind of another), so a handler can tell them apart by class alone, and
// each carries the exact text that is shown to the user.

#include <stdexcept>
#include <string>

namespace qx {

// The device is not a serial port, or CTS is missing when a command is to
// be written.
class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The channel was asked to open its port a second time.
class EPortAlreadyOpen : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The port cannot be opened: missing, held by another program, or not
// accessible to this user. Message() is the fixed one-line text; Hint(),
// when not empty, is a second line naming the cause and its usual fix.
// what() is the message followed by the hint line, so a front end that only
// shows what() still tells the user how to get access.
class EOpeningPortError : public std::runtime_error {
public:
    explicit EOpeningPortError(const std::string& message, const std::string& hint = {})
        : std::runtime_error(hint.empty() ? message : message + "\n" + hint), message_(message), hint_(hint) {}

    const std::string& Message() const { return message_; }
    const std::string& Hint() const { return hint_; }

private:
    std::string message_;
    std::string hint_;
};

// The user asked to stop while the port was being opened (a port server's
// connection under way): nothing was sent, and the operation ends as
// cancelled rather than failed.
class EOpenAbandoned : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The module did not answer as expected, or could not be woken.
class EWriteCommError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace qx
