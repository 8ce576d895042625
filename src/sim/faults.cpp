#include "sim/faults.h"

#include "sim/number_text.h"

namespace qx::sim {

bool AddFault(const std::string& text, FaultSet& faults) {
    const std::size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    if (name == "hangup-after" && colon != std::string::npos && colon + 1 < text.size()) {
        faults.hangupAfter = text.substr(colon + 1);
        return true;
    }
    // Only "slow" takes a second argument.
    const std::size_t second = colon == std::string::npos ? std::string::npos : text.find(':', colon + 1);
    if (second != std::string::npos && (name != "slow" || second + 1 == text.size())) return false;
    const std::optional<int> number =
        colon == std::string::npos ? std::nullopt : ParseDecimal(text.substr(colon + 1, second - colon - 1));
    if (colon == std::string::npos) {
        if (name == "silent") return faults.silent = true;
        if (name == "reject-xon") return faults.rejectXon = true;
        if (name == "garbage") return faults.garbage = true;
        if (name == "numeric") return faults.numeric = true;
        return false;
    }
    if (!number) return false;
    if (name == "drop-after") {
        faults.dropAfter = static_cast<unsigned>(*number);
        return true;
    }
    if (name == "ignore-sreg") {
        faults.ignoreSReg = static_cast<unsigned>(*number);
        return true;
    }
    if (name == "listing-cut") {
        faults.listingCut = static_cast<unsigned>(*number);
        return true;
    }
    if (name == "slow") {
        faults.slow = Millis(*number);
        if (second != std::string::npos) faults.slowOnly = text.substr(second + 1);  // only the answer to CMD
        return true;
    }
    return false;
}

namespace {

bool Answers(const Output& output, const std::optional<std::string>& command) {
    return output.kind == Output::Kind::Reply && command && output.answers.find(*command) != std::string::npos;
}

}  // namespace

Millis OutputFaults::Delay(const Output& output) const {
    if (output.kind != Output::Kind::Reply) return Millis(0);
    return !faults_.slowOnly || Answers(output, faults_.slowOnly) ? faults_.slow : Millis(0);
}

bool OutputFaults::HangsUpAfter(const Output& output) const { return Answers(output, faults_.hangupAfter); }

std::string OutputFaults::Filter(const Output& output) {
    if (faults_.silent) return {};
    if (faults_.dropAfter && repliesSent_ >= *faults_.dropAfter) return {};
    if (output.kind == Output::Kind::Reply) ++repliesSent_;
    std::string bytes = output.bytes;
    if (faults_.garbage) {
        // High-bit bytes only: no result code, line end or digit can appear by chance.
        std::uniform_int_distribution<int> highByte(0x80, 0xFF);
        for (char& c : bytes) c = static_cast<char>(highByte(random_));
    }
    return bytes;
}

}  // namespace qx::sim
