#pragma once
// The readout parser: a configuration listing back into the working
// configuration. Two sources share one algorithm: the module's answer to
// "AT&V" and the single line of a configuration file, whose tokens carry
// "AT" in front of the same keys.
//
// Keys are found by first occurrence in what is left of the reply text;
// the parser cuts the text at a few anchor keys as it goes, so keys that
// appear more than once in a listing resolve to the right item. After a
// parse the reply text holds only the tail of the listing.
//
// Fields are set through the working configuration's program setters, so
// the rules that a click would run (mode radio buttons, Fast Operation,
// the data-rate and DTR rules) run here too.
//
// The reply text is outside input: any length, any bytes. Nothing here
// reads beyond it; a value that is missing or not a number ends the parse
// with EConvertError, and the fields already set keep their new values.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/command_slots.h"
#include "config/integer_text.h"
#include "config/working_config.h"

namespace qx {

enum class ReadoutSource { Module, File };

inline constexpr const char* kFlowControlMessageStart = "The saved configuration or module has a value of &&K";
inline constexpr const char* kInvalidModeMessage =
    "An invalid operating mode was read from the module!\r\n"
    "Both transparent and controlled mode options were selected together.\r\n"
    "Please reconfigure the module.";

class ConfigReadout {
public:
    // The parser works on the caller's reply text (which it cuts) and sets
    // the caller's S21 reference, the S21 value held before S21 is read.
    ConfigReadout(WorkingConfig& config, std::string& replyText, int& s21Reference)
        : config_(config), replyText_(replyText), s21Reference_(s21Reference) {}

    // The whole parse. Returns false after a model without fast
    // controlled operation refused it (the configuration is then at its
    // defaults), true when every key was read.
    bool ProcessReadConfig(bool fromFile);

    // Keeps the reply text from the 1-based position on: the whole text for
    // a position of 1 or less, nothing for a position beyond its end.
    void FlushBufferUpTo(long position);

    // The number after the first occurrence of the key, taken as an
    // unsigned 16-bit quantity. A missing key or a value that is not a
    // number: EConvertError.
    std::uint16_t GetConfigValue(std::string_view key) const;
    // As GetConfigValue, but 0 when the key is absent.
    std::uint16_t TryGetConfigValue(std::string_view key) const;

private:
    std::string_view Text() const { return replyText_; }
    std::size_t FindKey(std::string_view key) const;  // EConvertError when absent
    long OneDigit(std::string_view key) const;
    long OneOrTwoDigits(std::string_view key) const;
    void CutAt(std::string_view anchor);

    // The slot's value as its listing shape writes it, into its fields as
    // its rule reads it; false when the operating mode read ends the parse.
    bool Read(const CommandSlot& slot, bool fromFile);
    long ShapedValue(const CommandSlot& slot) const;
    long RegisterValue(const CommandSlot& slot) const;  // with its fallbacks
    // A number as the module stores it, into the slot's field and its mirror.
    void SetNumbers(const CommandSlot& slot, long stored);
    void ReadFlowControl(const CommandSlot& slot, long code);
    void ReadUnitAddress(const CommandSlot& slot, long unit);
    bool ReadOperatingMode();  // false: fast mode refused, parse ends
    void ReadRegister(const CommandSlot& slot, bool fromFile);
    void ReadStoredProfile(const CommandSlot& slot);

    WorkingConfig& config_;
    std::string& replyText_;
    int& s21Reference_;
};

// One parse of replyText into config; false when the model refused it.
bool ProcessReadConfig(WorkingConfig& config, std::string& replyText, int& s21Reference, ReadoutSource source);

}  // namespace qx
