#pragma once
// One entry of the module history: a whole configuration as it was read
// from a module or written to it, with when, where, from which module and
// by what it happened.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// What happened to the module.
enum class HistoryKind {
    Read,              // a read that completed
    BeforeWrite,       // the module's configuration read just before a write
    Written,           // a configuration written (its store went out)
    RestoredDefaults,  // the factory settings restored (and read back)
};

// "read", "before-write", "written", "restored-defaults".
std::string_view HistoryKindName(HistoryKind kind);
// The kind named so; none for any other text.
std::optional<HistoryKind> HistoryKindNamed(std::string_view name);

struct HistoryEntry {
    std::int64_t id = 0;      // given by the store
    std::int64_t timeMs = 0;  // UTC, milliseconds since 1970
    std::string port;         // as the user gave it ("COM1", "/dev/ttyUSB0", "rfc2217://host:7777")
    std::string device;       // the device or address it stood for
    std::string byIdPath;     // its stable /dev/serial/by-id name; empty when there is none
    std::string model;        // the model the program ran as ("QX7T-R")
    std::string firmware;     // the firmware line the module gave ("V1.95 SIM"); empty when not identified
    std::optional<int> systemAddress;  // none when no configuration was kept
    std::optional<int> unitAddress;
    HistoryKind kind = HistoryKind::Read;
    std::string program;  // "qxcfg", "Cfg_QX7TR"
    std::string command;  // "write", "Configure"
    std::string outcome;  // "done", "cancelled", "failed: <report>"
    // The configuration as a .X7R file holds it; empty when the module was
    // not read after it changed (a restore cancelled after its reset). A
    // listing leaves it empty too.
    std::string configuration;

    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

}  // namespace qx
