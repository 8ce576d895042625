#include "serial/telnet_codec.h"

namespace qx::telnet {

namespace {

constexpr char kCr = '\r';

char Byte(unsigned char b) { return static_cast<char>(b); }

void AppendDoubled(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        out += c;
        if (static_cast<unsigned char>(c) == kIac) out += c;
    }
}

}  // namespace

std::string EncodeData(std::string_view data, bool binary) {
    std::string out;
    out.reserve(data.size() + 2);
    for (const char c : data) {
        out += c;
        if (static_cast<unsigned char>(c) == kIac) out += c;
        if (c == kCr && !binary) out += '\0';
    }
    return out;
}

std::string EncodeCommand(unsigned char verb, unsigned char option) { return {Byte(kIac), Byte(verb), Byte(option)}; }

std::string EncodeSubnegotiation(unsigned char option, std::string_view payload) {
    std::string out{Byte(kIac), Byte(kSb), Byte(option)};
    AppendDoubled(out, payload);
    out += Byte(kIac);
    out += Byte(kSe);
    return out;
}

void Decoder::AddData(char c, std::vector<Event>& events) {
    if (events.empty() || !std::holds_alternative<std::string>(events.back())) events.emplace_back(std::string());
    std::get<std::string>(events.back()) += c;
}

void Decoder::Feed(std::string_view wire, bool binary, std::vector<Event>& events) {
    for (const char c : wire) {
        const auto b = static_cast<unsigned char>(c);
        switch (state_) {
            case State::AfterCr:
                state_ = State::Data;
                if (b == 0) break;  // CR NUL stands for a bare CR
                [[fallthrough]];
            case State::Data:
                if (b == kIac) {
                    state_ = State::Iac;
                } else {
                    AddData(c, events);
                    if (c == kCr && !binary) state_ = State::AfterCr;
                }
                break;
            case State::Iac:
                if (b == kIac) {
                    AddData(c, events);
                    state_ = State::Data;
                } else if (b >= kWill && b <= kDont) {
                    verb_ = b;
                    state_ = State::Verb;
                } else if (b == kSb) {
                    state_ = State::SubOption;
                } else {
                    state_ = State::Data;  // NOP, GA, AYT and the like carry nothing for us
                }
                break;
            case State::Verb:
                events.emplace_back(Command{verb_, b});
                state_ = State::Data;
                break;
            case State::SubOption:
                sub_ = Subnegotiation{b, {}};
                state_ = State::Sub;
                break;
            case State::Sub:
                if (b == kIac)
                    state_ = State::SubIac;
                else if (sub_.payload.size() < kMaxSubnegotiation)
                    sub_.payload += c;
                break;
            case State::SubIac:
                if (b == kIac) {
                    if (sub_.payload.size() < kMaxSubnegotiation) sub_.payload += c;
                    state_ = State::Sub;
                } else {
                    // IAC SE ends it; any other command inside is a broken
                    // sequence, ended here all the same.
                    events.emplace_back(std::move(sub_));
                    sub_ = {};
                    state_ = State::Data;
                }
                break;
        }
    }
}

bool Negotiator::Wanted(unsigned char option, bool ours) const {
    if (option == kBinary || option == kSuppressGoAhead) return true;
    return ours && comPort_ && option == kComPortOption;
}

std::string Negotiator::Request(unsigned char option, bool ours) {
    side_[ours ? kOurs : kTheirs][option] = Side::Requested;
    return EncodeCommand(ours ? kWill : kDo, option);
}

std::string Negotiator::Opening(bool comPort) {
    comPort_ = comPort;
    std::string out;
    if (comPort) out += Request(kComPortOption, true);
    for (const unsigned char option : {kBinary, kSuppressGoAhead}) {
        out += Request(option, true);
        out += Request(option, false);
    }
    return out;
}

std::string Negotiator::Answer(const Command& command) {
    const bool ours = command.verb == kDo || command.verb == kDont;
    const bool enable = command.verb == kDo || command.verb == kWill;
    Side& side = side_[ours ? kOurs : kTheirs][command.option];
    const unsigned char yes = ours ? kWill : kDo;
    const unsigned char no = ours ? kWont : kDont;
    if (enable) {
        if (!Wanted(command.option, ours)) return EncodeCommand(no, command.option);
        const bool answered = side == Side::Requested || side == Side::On;
        side = Side::On;
        return answered ? std::string() : EncodeCommand(yes, command.option);
    }
    if (side == Side::Requested) {
        side = Side::Refused;
        return {};
    }
    if (side == Side::On) {
        side = Side::Off;
        return EncodeCommand(no, command.option);
    }
    return {};
}

bool Negotiator::Enabled(unsigned char option, bool ours) const {
    return side_[ours ? kOurs : kTheirs][option] == Side::On;
}

}  // namespace qx::telnet
