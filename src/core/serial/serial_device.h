#pragma once
// The one seam between the serial link logic and the operating system: a
// port that opens with a rate and character format, reads and writes under
// time-outs, discards its buffers and reports the CTS line.
//
// The time-outs work like the classic serial-port time-out record that the
// link logic was designed around: a read of N bytes returns when N bytes
// have arrived, when the interval time-out passes after a received byte
// without another one (the interval clock starts at the first byte), or
// when N x the per-byte time-out + the constant one have passed since the
// read began. A read that times out without data succeeds with nothing.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qx {

enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2 };
enum class StopBits : std::uint8_t { One = 0, Two = 2 };

struct LineSettings {
    std::optional<int> rate;      // bits per second; none keeps the port's rate
    std::optional<int> dataBits;  // 5..8; none keeps the port's data bits
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
};

// A zero time-out is no time-out.
struct CommTimeouts {
    std::chrono::milliseconds readInterval{0};
    std::chrono::milliseconds readTotalPerByte{0};
    std::chrono::milliseconds readTotalConstant{0};
    std::chrono::milliseconds writeTotalPerByte{0};
    std::chrono::milliseconds writeTotalConstant{0};

    bool operator==(const CommTimeouts&) const = default;
};

enum class CtsState { Present, Absent, CannotTell };

// Present and "cannot tell" (a device without modem lines, such as a
// pseudo-terminal) both allow writing.
inline bool CtsAllowsWrite(CtsState s) { return s != CtsState::Absent; }

enum class OpenStatus {
    Opened,
    Unavailable,       // the system says no more than that it cannot be opened
    NoSuchDevice,      // nothing at that path (an adapter unplugged, a typing error)
    InUse,             // held by another program, or another client of a port server
    PermissionDenied,  // exists, but this user may not open it
    NotCharacterDevice,
    // A port on the network (rfc2217://HOST:PORT, socket://HOST:PORT):
    BadAddress,         // not HOST:PORT
    HostUnknown,        // the name does not resolve
    ConnectionRefused,  // nothing listens there
    NoAnswer,           // no connection, or no answer to a setting, within the bound
    SettingsRefused,    // the server answered a line setting with another than asked
    NetworkError,       // any other failure of the connection
    Abandoned,          // the user asked to stop while the opening waited on the network
};

// How an opening failed, when a device can say so after the fact: a port
// server that took the connection and then closed it (saying why, or not)
// refused the port as much as one that refuses at once.
struct OpenRefusal {
    OpenStatus status;
    std::string detail;
};

// Whether the port can be moved to other line settings later in the
// session (a module about to answer elsewhere): a local port can; a port
// server over RFC 2217 can when it acknowledges them; a plain TCP
// connection carries bytes only, so its settings are the server's.
struct LineFollow {
    enum class Kind { Follows, ServerKept, ServerFixed } kind = Kind::Follows;
    std::string detail;  // ServerKept: what the server kept ("kept 9600 when asked for 19200")
};

// Which buffers Purge discards.
enum PurgeFlags : unsigned { kPurgeOutput = 1u, kPurgeInput = 2u };

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens `path` for exclusive use and applies `settings`; every other line
    // setting stays as the system had it. Only Opened leaves the device open.
    virtual OpenStatus Open(const std::string& path, const LineSettings& settings) = 0;
    // What the system said about the last failed Open, when it said more
    // than the status (a resolver's or server's text); empty otherwise.
    virtual std::string OpenFailureDetail() const { return {}; }
    // Polled while an Open waits on the network (a connection, a server's
    // answers): true gives the opening up (Abandoned). A local port opens
    // at once and never asks.
    virtual void SetOpenStop(std::function<bool()> /*stop*/) {}
    // See LineFollow. The port's own settings are as before when it returns.
    virtual LineFollow CanFollow(const LineSettings& /*next*/) { return {}; }
    // After a read or write failed: the failure read as a refusal to open,
    // when the device is a port server's connection that the server
    // closed; none otherwise.
    virtual std::optional<OpenRefusal> Refusal() const { return std::nullopt; }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual void SetTimeouts(const CommTimeouts& timeouts) = 0;
    virtual CommTimeouts Timeouts() const = 0;
    // The rate the port runs at now, as the port reports it.
    virtual std::optional<int> CurrentRate() const = 0;

    // Up to `maxBytes` bytes under the read time-outs; no value when the
    // read itself failed (the device is gone or broken).
    virtual std::optional<std::string> Read(std::size_t maxBytes) = 0;
    // The whole text under the write time-outs. False only when the write
    // itself failed; a write cut short by its time-out still counts as done.
    virtual bool Write(const std::string& text) = 0;
    virtual void Purge(unsigned flags) = 0;
    virtual CtsState Cts() const = 0;
};

}  // namespace qx
