#pragma once
// The options that say which port and line settings a qxcfg command uses:
//   --port P         COM1..COM8, a device path, or a port server's
//                    rfc2217://HOST:PORT or socket://HOST:PORT (a path or
//                    address stands for the chosen com slot, COM1 unless
//                    --port named one, and names the port in error texts)
//   --baud RATE      one of the twelve host rates (1200..115200)
//   --format P-D-S   parity N/O/E, data bits 7/8, stop bits 1/2 (N-8-1)
//   --com N=PATH     COMn is at PATH, a device path or address (repeatable)
// Defaults: COM1, 9600, N-8-1; COMn at /dev/ttyUSB(n-1).

#include <optional>
#include <string>

#include "app/model_variant.h"
#include "serial/comqx7_object.h"
#include "serial/host_serial_settings.h"
#include "serial/port_map.h"

namespace qx::cli {

class PortOptions {
public:
    PortOptions();

    // What each option says (a usage error when it cannot be taken).
    // --port: COM1..COM8, or a device path for the chosen slot.
    void SelectPort(const std::string& port);
    void TakeBaud(const std::string& rate);
    void TakeFormat(const std::string& format);
    void TakeCom(const std::string& mapping);

    // The settings and map after every option has been read.
    HostSerialSettings Settings() const;
    PortMap Ports() const;
    ChannelSetup Setup(const ModelVariant& variant) const;

    // Whether the chosen port is a socket:// address, which carries bytes
    // only: its line settings are the port server's own.
    bool CarriesBytesOnly() const;
    // A usage error when --baud or --format was given and the chosen port
    // (or `port`, as --port takes it) carries bytes only.
    void CheckLineOptions() const;
    void CheckLineOptionsFor(const std::string& port) const;

private:
    HostSerialSettings settings_;
    PortMap ports_;
    std::optional<std::string> portPath_;
    const char* lineOption_ = nullptr;  // "--baud" or "--format", once given
};

}  // namespace qx::cli
