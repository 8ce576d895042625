#include "serial/win32_serial_device.h"

#include "app/win32_text.h"
#include "serial/host_serial_settings.h"
#include "serial/port_map.h"
#include "serial/system_port_names.h"
#include "serial/system_serial_device.h"

namespace qx {

namespace {

// What CreateFileW's error says about the port. Windows answers a port
// that another program holds with "access denied" (the port is opened for
// exclusive use) or a sharing violation.
OpenStatus StatusOfOpenError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_UNIT:
        case ERROR_DEV_NOT_EXIST: return OpenStatus::NoSuchDevice;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY: return OpenStatus::InUse;
        default: return OpenStatus::Unavailable;
    }
}

// "COM3" through the device namespace; a path given in full as it is.
std::wstring DeviceName(const std::string& path) {
    return WideFromUtf8(IsComName(path) ? DevicePathOfName(path) : path);
}

DWORD Milliseconds(std::chrono::milliseconds ms) { return static_cast<DWORD>(ms.count()); }

}  // namespace

// Any rate: a DCB takes the bit/s number itself.
bool PortTakesRate(int bitsPerSecond) { return bitsPerSecond > 0; }

Win32SerialDevice::~Win32SerialDevice() { Close(); }

OpenStatus Win32SerialDevice::Open(const std::string& path, const LineSettings& settings) {
    Close();
    UniqueHandle handle(::CreateFileW(DeviceName(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) return StatusOfOpenError(::GetLastError());
    if (::GetFileType(handle.Get()) != FILE_TYPE_CHAR) return OpenStatus::NotCharacterDevice;
    handle_ = std::move(handle);
    ApplyLineSettings(settings);
    return OpenStatus::Opened;
}

// Exactly rate, data bits, parity and stop bits from the settings, on the
// control block the port reports; hardware flow control and the DTR and
// RTS handling stay as the system has them. Software flow control, null
// stripping and error replacement are switched off, so that the port is
// the plain byte pipe the module's language needs (XON and XOFF bytes
// occur in its settings). A failed call leaves the port at whatever the
// driver accepted, as on Linux.
void Win32SerialDevice::ApplyLineSettings(const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle_.Get(), &dcb)) {
        // A port without the whole control block (Wine's view of a
        // pseudo-terminal, say) still takes a complete one.
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.XonChar = 0x11;
        dcb.XoffChar = 0x13;
    }
    dcb.DCBlength = sizeof dcb;
    if (settings.rate) dcb.BaudRate = static_cast<DWORD>(*settings.rate);
    if (settings.dataBits && *settings.dataBits >= 5 && *settings.dataBits <= 8)
        dcb.ByteSize = static_cast<BYTE>(*settings.dataBits);
    dcb.Parity = settings.parity == Parity::Odd ? ODDPARITY : settings.parity == Parity::Even ? EVENPARITY : NOPARITY;
    dcb.StopBits = settings.stopBits == StopBits::Two ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity != Parity::None;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    ::SetCommState(handle_.Get(), &dcb);
    // The module sees a host on the line, as when Linux opens a port.
    ::EscapeCommFunction(handle_.Get(), SETDTR);
    ::EscapeCommFunction(handle_.Get(), SETRTS);
    SetTimeouts(timeouts_);
}

void Win32SerialDevice::Close() { handle_.Reset(); }

void Win32SerialDevice::SetTimeouts(const CommTimeouts& timeouts) {
    timeouts_ = timeouts;
    if (!handle_.Valid()) return;
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = Milliseconds(timeouts.readInterval);
    t.ReadTotalTimeoutMultiplier = Milliseconds(timeouts.readTotalPerByte);
    t.ReadTotalTimeoutConstant = Milliseconds(timeouts.readTotalConstant);
    t.WriteTotalTimeoutMultiplier = Milliseconds(timeouts.writeTotalPerByte);
    t.WriteTotalTimeoutConstant = Milliseconds(timeouts.writeTotalConstant);
    ::SetCommTimeouts(handle_.Get(), &t);
}

std::optional<int> Win32SerialDevice::CurrentRate() const {
    if (!handle_.Valid()) return std::nullopt;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    // Wine fills the rate even where the rest of the block fails.
    ::GetCommState(handle_.Get(), &dcb);
    if (dcb.BaudRate == 0) return std::nullopt;
    return static_cast<int>(dcb.BaudRate);
}

std::optional<std::string> Win32SerialDevice::Read(std::size_t maxBytes) {
    if (!handle_.Valid()) return std::nullopt;
    std::string data(maxBytes, '\0');
    DWORD got = 0;
    if (!::ReadFile(handle_.Get(), data.data(), static_cast<DWORD>(maxBytes), &got, nullptr)) {
        ClearErrors();
        return std::nullopt;
    }
    data.resize(got);
    return data;
}

// Success is the write call's own: one cut short by the write time-out
// still counts as done.
bool Win32SerialDevice::Write(const std::string& text) {
    if (!handle_.Valid()) return false;
    DWORD written = 0;
    if (!::WriteFile(handle_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        ClearErrors();
        return false;
    }
    return true;
}

// The output purge discards only what the driver still holds for the
// line: a port mapped onto a pseudo-terminal (Wine's) would otherwise throw
// away a command that was written in full but not yet taken by the far end.
void Win32SerialDevice::Purge(unsigned flags) {
    if (!handle_.Valid()) return;
    DWORD what = 0;
    if ((flags & kPurgeOutput) && OutputQueued()) what |= PURGE_TXABORT | PURGE_TXCLEAR;
    if (flags & kPurgeInput) what |= PURGE_RXABORT | PURGE_RXCLEAR;
    if (what != 0) ::PurgeComm(handle_.Get(), what);
}

bool Win32SerialDevice::OutputQueued() const {
    DWORD errors = 0;
    COMSTAT status{};
    return !::ClearCommError(handle_.Get(), &errors, &status) || status.cbOutQue > 0;
}

void Win32SerialDevice::ClearErrors() const {
    DWORD errors = 0;
    COMSTAT status{};
    ::ClearCommError(handle_.Get(), &errors, &status);
}

// A port that cannot report its modem lines (ERROR_NOT_SUPPORTED from
// Wine's pseudo-terminals, some virtual ports) cannot tell.
CtsState Win32SerialDevice::Cts() const {
    DWORD lines = 0;
    if (!handle_.Valid() || !::GetCommModemStatus(handle_.Get(), &lines)) return CtsState::CannotTell;
    return (lines & MS_CTS_ON) ? CtsState::Present : CtsState::Absent;
}

std::unique_ptr<SerialDevice> MakeSystemSerialDevice() { return std::make_unique<Win32SerialDevice>(); }

}  // namespace qx
