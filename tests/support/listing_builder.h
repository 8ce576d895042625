#pragma once
// A module's configuration listing ("AT&V" answer) assembled item by item,
// so tests can change, drop or reshape single items.

#include <string>
#include <utility>
#include <vector>

namespace qx::test {

class Listing {
public:
    // The listing of a module at the factory defaults with system address 17.
    Listing()
        : items_{{"B", "0"},    {"C", "4"},     {"E", "1"},      {"Q", "0"},     {"V", "1"},      {"X", "0"},
                 {"&B", "2"},   {"&C", "1"},    {"&D", "0"},     {"&E", "0"},    {"&G", "1"},     {"&K", "4"},
                 {"&L", "1"},   {"&M", "0"},    {"&N", "1"},     {"&S", "17"},   {"&U", "1"},     {"\\T", "0"},
                 {"S0:", "1"},  {"S1:", "50"},  {"S2:", "43"},   {"S3:", "13"},  {"S4:", "10"},   {"S5:", "8"},
                 {"S6:", "0"},  {"S7:", "5"},   {"S8:", "0"},    {"S9:", "0"},   {"S10:", "1"},   {"S11:", "0"},
                 {"S12:", "0"}, {"S13:", "0"},  {"S14:", "255"}, {"S16:", "0"},  {"S17:", "0"},   {"S18:", "120"},
                 {"S19:", "5"}, {"S20:", "100"}, {"S21:", "1"},  {"&Z0=", "2"},  {"&Z1=", ""},    {"&Z2=", ""},
                 {"&Z3=", ""}} {}

    Listing& Set(const std::string& key, const std::string& value) {
        for (auto& item : items_)
            if (item.first == key) item.second = value;
        return *this;
    }
    Listing& Drop(const std::string& key) {
        std::erase_if(items_, [&](const auto& item) { return item.first == key; });
        return *this;
    }
    Listing& Rename(const std::string& key, const std::string& newKey) {
        for (auto& item : items_)
            if (item.first == key) item.first = newKey;
        return *this;
    }

    // Items separated by spaces, with a line end after every sixth item
    // (after the space, where no value shape needs it), ending with CR LF.
    std::string Text() const {
        std::string text;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            text += items_[i].first + items_[i].second + " ";
            if (i % 6 == 5) text += "\r\n";
        }
        return text + "\r\nOK\r\n";
    }

private:
    std::vector<std::pair<std::string, std::string>> items_;
};

}  // namespace qx::test
