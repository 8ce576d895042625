#include "config/firmware_identification.h"

#include "app/version_format.h"

namespace qx {

std::string CutIdentificationText(std::string_view reply, const ModelVariant& running) {
    // The running model's marker, else the first other model's found.
    std::size_t marker = reply.find(running.Record().identificationMarker);
    for (const ModelRecord* model : kModels)
        if (marker == std::string_view::npos && model->family != running.Family)
            marker = reply.find(model->identificationMarker);
    // One character before the marker gives the full model name.
    const std::size_t start = marker == std::string_view::npos || marker == 0 ? 0 : marker - 1;
    const std::string_view copy = reply.substr(start);
    const std::size_t lineEnd = copy.find("\r\n");
    if (lineEnd == std::string_view::npos) return {};
    return std::string(copy.substr(0, lineEnd));
}

std::string OtherModelNamed(std::string_view reply, const ModelVariant& running) {
    if (reply.find(running.Record().identificationMarker) != std::string_view::npos) return {};
    for (const ModelRecord* model : kModels)
        if (model->family != running.Family && reply.find(model->productName) != std::string_view::npos)
            return std::string(model->productName);
    return {};
}

std::string OtherModelText(std::string_view otherModel, const ModelVariant& running) {
    return "The module identifies itself as " + std::string(otherModel) + ", not as " + running.ProductName + ".";
}

FirmwareVersion GetFirmwareVer(std::string_view identification) {
    FirmwareVersion result;
    const std::size_t v = identification.find('V');
    if (v == std::string_view::npos) {
        result.remainder = identification;
        return result;
    }
    std::size_t end = v + 1;
    while (end < identification.size() &&
           (identification[end] == '.' || (identification[end] >= '0' && identification[end] <= '9')))
        ++end;
    result.remainder = identification.substr(end);
    result.version = ParseVersionNumber(identification.substr(v + 1, end - v - 1)).value_or(0.0);
    return result;
}

std::string S21SupportWarningText(std::string_view productName) {
    // These line breaks are LF CR, in that order.
    const std::string product(productName);
    return "The connected module firmware version does not support \"Radio Message Signature\" adjustment.\n\r"
           "The Radio Message Signature in the connected module is fixed to 0.\n\r"
           "ALL " + product + " that communicate with the connected module MUST have S21 = 0.\n\r"
           "Consult the " + product + " user manual for further information";
}

bool CheckS21Support(double version, const FirmwareJudge& judge, Prompter& prompter) {
    if (version > kS21FirmwareThreshold || judge.s21Reference <= 0 || !ModelOf(judge.family).s21)
        return false;
    Tell(prompter, MessageKind::Warning, S21SupportWarningText(judge.productName));
    return true;
}

FirmwareVersion CheckFirmware(std::string_view identification, const FirmwareJudge& judge, Prompter& prompter) {
    FirmwareVersion firmware = GetFirmwareVer(identification);
    CheckS21Support(firmware.version, judge, prompter);
    return firmware;
}

std::string FirmwareStatusText(const FirmwareVersion& firmware) {
    return "  V" + FormatVersionNumber(firmware.version) + " " + firmware.remainder;
}

}  // namespace qx
