#include "serial/posix_serial_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <thread>

#include "serial/host_serial_settings.h"
#include "serial/posix_termios2_rate.h"
#include "serial/posix_write_within.h"
#include "serial/system_serial_device.h"
#include "serial/timed_read.h"

namespace qx {

namespace {

struct RateConstant {
    int rate;
    speed_t constant;
};
constexpr std::array<RateConstant, 13> kRateConstants = {{{300, B300},
                                                          {600, B600},
                                                          {1200, B1200},
                                                          {2400, B2400},
                                                          {4800, B4800},
                                                          {9600, B9600},
                                                          {19200, B19200},
                                                          {38400, B38400},
                                                          {57600, B57600},
                                                          {115200, B115200},
                                                          {230400, B230400},
                                                          {460800, B460800},
                                                          {921600, B921600}}};

std::optional<speed_t> RateConstantFor(int rate) {
    for (const auto& r : kRateConstants)
        if (r.rate == rate) return r.constant;
    return std::nullopt;
}

tcflag_t SizeFlag(int dataBits) {
    switch (dataBits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        default: return CS8;
    }
}

// What open(2)'s error says about the port.
OpenStatus StatusOfOpenError(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return OpenStatus::PermissionDenied;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR: return OpenStatus::NoSuchDevice;
        case EBUSY: return OpenStatus::InUse;  // marked exclusive (TIOCEXCL) by its holder
        default: return OpenStatus::Unavailable;
    }
}

}  // namespace

// Any rate: the standard ones by their constants, the others by number
// through the kernel's extended terminal record (termios2_rate.h).
bool PortTakesRate(int bitsPerSecond) { return bitsPerSecond > 0; }

PosixSerialDevice::~PosixSerialDevice() { Close(); }

OpenStatus PosixSerialDevice::Open(const std::string& path, const LineSettings& settings) {
    Close();
    // Non-blocking, so that opening never waits for the carrier line and
    // reads are timed by poll() alone.
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) return StatusOfOpenError(errno);
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return OpenStatus::InUse;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISCHR(st.st_mode)) return OpenStatus::NotCharacterDevice;
    ::ioctl(fd.Get(), TIOCEXCL);
    fd_ = std::move(fd);
    ApplyLineSettings(settings);
    return OpenStatus::Opened;
}

// Raw mode on a copy of the settings found, then exactly rate, data bits,
// parity and stop bits. Flow control, modem-control handling (CLOCAL,
// HUPCL, CRTSCTS) and the rest stay as the system has them. Raw mode stands
// for the plain byte pipe a serial port is without a line discipline; the
// receiver is switched on (CREAD) because without it nothing is received.
// As with the port's own settings call, a refusal is not an error: the port
// then runs at whatever the driver accepted.
void PosixSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    const int fd = fd_.Get();
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return;
    ::cfmakeraw(&t);
    t.c_cflag |= CREAD;
    if (settings.dataBits && *settings.dataBits >= 5 && *settings.dataBits <= 8) {
        t.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
        t.c_cflag |= SizeFlag(*settings.dataBits);
    }
    t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
    if (settings.parity == Parity::Odd) t.c_cflag |= PARENB | PARODD;
    if (settings.parity == Parity::Even) t.c_cflag |= PARENB;
    if (settings.stopBits == StopBits::Two)
        t.c_cflag |= CSTOPB;
    else
        t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    std::optional<speed_t> constant;
    if (settings.rate) constant = RateConstantFor(*settings.rate);
    if (constant) {
        ::cfsetispeed(&t, *constant);
        ::cfsetospeed(&t, *constant);
    }
    ::tcsetattr(fd, TCSANOW, &t);
    if (settings.rate && !constant) SetRateByNumber(fd, *settings.rate);
}

void PosixSerialDevice::Close() {
    if (!fd_.Valid()) return;
    // The exclusive mark lives on the terminal, not on our descriptor: it
    // would outlast us while another process (a simulator, say) keeps the
    // device open.
    ::ioctl(fd_.Get(), TIOCNXCL);
    fd_.Reset();
}

std::optional<int> PosixSerialDevice::CurrentRate() const {
    if (!fd_.Valid()) return std::nullopt;
    if (auto r = ReadRateNumber(fd_.Get())) return r;
    termios t{};
    if (::tcgetattr(fd_.Get(), &t) != 0) return std::nullopt;
    const speed_t s = ::cfgetospeed(&t);
    for (const auto& r : kRateConstants)
        if (r.constant == s) return r.rate;
    return std::nullopt;
}

std::optional<std::string> PosixSerialDevice::Read(std::size_t maxBytes) {
    if (!fd_.Valid()) return std::nullopt;
    const int fd = fd_.Get();
    ReadSource source;
    source.wait = [fd](int ms) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, ms);
        if (ready < 0) return errno == EINTR ? WaitResult::Ready : WaitResult::Failed;
        return ready == 0 ? WaitResult::TimedOut : WaitResult::Ready;
    };
    source.take = [fd](std::size_t want, std::string& out) {
        std::array<char, 512> buffer{};
        const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), want));
        if (n > 0) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
            return true;
        }
        // End of file or an error (a hung-up or unplugged port): the read
        // failed, whatever it had gathered.
        return n < 0 && (errno == EAGAIN || errno == EINTR);
    };
    return TimedRead(timeouts_, maxBytes, source);
}

bool PosixSerialDevice::Write(const std::string& text) {
    if (!fd_.Valid()) return false;
    const long long deadline = Deadline(timeouts_.writeTotalPerByte, timeouts_.writeTotalConstant, text.size());
    const WriteEnd end = WriteWithin(fd_.Get(), text, deadline, ::write);
    if (end == WriteEnd::Failed) return false;
    if (end == WriteEnd::TimedOut) return true;  // cut short by the write time-out
    // write() only hands the bytes to the driver. The port's write is done
    // when they have gone out on the line, and callers discard the output
    // buffer right after it: wait for the line, bounded by the time-out.
    return WaitForDrain(deadline);
}

bool PosixSerialDevice::WaitForDrain(long long deadline) const {
    if (deadline == kNoDeadline) return ::tcdrain(fd_.Get()) == 0 || errno != EIO;
    for (;;) {
        int queued = 0;
        if (::ioctl(fd_.Get(), TIOCOUTQ, &queued) != 0 || queued <= 0) return true;
        if (MsUntil(deadline) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The output purge discards only what is still queued for the line. A
// pseudo-terminal hands written bytes to its far end's input and reports an
// empty queue; flushing its output then would throw away a command that was
// written in full but not yet taken by the far end. A real port reports what
// it has not sent yet, and only that is discarded.
void PosixSerialDevice::Purge(unsigned flags) {
    if (!fd_.Valid()) return;
    if (flags & kPurgeOutput) {
        int queued = 0;
        if (::ioctl(fd_.Get(), TIOCOUTQ, &queued) != 0 || queued > 0) ::tcflush(fd_.Get(), TCOFLUSH);
    }
    if (flags & kPurgeInput) ::tcflush(fd_.Get(), TCIFLUSH);
}

CtsState PosixSerialDevice::Cts() const {
    int lines = 0;
    if (!fd_.Valid() || ::ioctl(fd_.Get(), TIOCMGET, &lines) != 0) return CtsState::CannotTell;
    return (lines & TIOCM_CTS) ? CtsState::Present : CtsState::Absent;
}

std::unique_ptr<SerialDevice> MakeSystemSerialDevice() { return std::make_unique<PosixSerialDevice>(); }

}  // namespace qx
