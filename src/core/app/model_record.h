#pragma once
// What sets one model of the family apart from the others: its names, the
// radio data rates it offers, whether it has fast controlled operation and
// the S21 register, the extra air time its threshold formula allows, and
// how it names itself when asked "ATI". Everything that differs between
// the models is in these records; the rest of the program asks the record
// of the model it serves. A further model is one further record.

#include <array>
#include <string_view>
#include <vector>

namespace qx {

enum class ModelFamily { Basic = 0, Main = 1 };

struct ModelRecord {
    ModelFamily family;
    std::string_view familyName;     // "Main", "Basic"
    std::string_view productName;    // "QX7T-R": inside messages, after --model
    std::string_view windowCaption;  // "QX7T-R Configuration"
    std::string_view aboutName;      // the About box's software name
    // A program started under a file name holding this serves the model.
    std::string_view programNameMark;
    // The model's name in the answer to "ATI", less its first character:
    // the identification line starts one character before it.
    std::string_view identificationMarker;
    std::array<std::string_view, 3> radioDataRates;  // the Radio Data Rate items
    bool fastControlledOperation;  // "Fast Operation" (AT&M3)
    bool s21;                      // the S21 "Radio Message Signature" register
    // The S18 threshold formula's extra time per packet, in seconds, with
    // Fast Operation off and on.
    double packetExtraSeconds;
    double fastPacketExtraSeconds;
    // Shown when a listing or file holds fast controlled operation on a
    // model without it; empty for a model that has it.
    std::string_view fastModeRefusal;
};

inline constexpr ModelRecord kMainModel{
    .family = ModelFamily::Main,
    .familyName = "Main",
    .productName = "QX7T-R",
    .windowCaption = "QX7T-R Configuration",
    .aboutName = "KORVA QX7T-R Configuration",
    .programNameMark = "QX7",
    .identificationMarker = "X7T-R",
    .radioDataRates = {"19200", "57600", "115200"},
    .fastControlledOperation = true,
    .s21 = true,
    .packetExtraSeconds = 0.028,
    .fastPacketExtraSeconds = 0.0,
    .fastModeRefusal = "",
};

inline constexpr const char* kFastModeRejectedMessage =
    "Fast Controlled Mode operation has been detected. This mode is not\r\n"
    "supported by the QX5. Ensure use of the correct module AND configuration software";

inline constexpr ModelRecord kBasicModel{
    .family = ModelFamily::Basic,
    .familyName = "Basic",
    .productName = "QX5T",
    .windowCaption = "QX5T Configuration",
    .aboutName = "KORVA QX5T Configuration",
    .programNameMark = "QX5",
    .identificationMarker = "X5T",
    .radioDataRates = {"19200", "38400", "76800"},
    .fastControlledOperation = false,
    .s21 = false,
    .packetExtraSeconds = 0.008,
    .fastPacketExtraSeconds = 0.008,
    .fastModeRefusal = kFastModeRejectedMessage,
};

// Every model, in the order the program's file name is tested against
// them (the main model first).
inline constexpr std::array<const ModelRecord*, 2> kModels = {&kMainModel, &kBasicModel};

const ModelRecord& ModelOf(ModelFamily family);

// What a setting may need of the model it is set on.
enum class ModelFeature { None, FastControlledOperation, S21 };

bool Has(const ModelRecord& model, ModelFeature feature);

// The product names of the models that have the feature, in record order.
std::vector<std::string_view> ModelsWith(ModelFeature feature);

}  // namespace qx
