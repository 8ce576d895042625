// Setting values applied as a file load applies them: the values of any
// configuration, applied over any other, give a configuration that writes
// the same commands and holds the same settings, and asks nothing.

#include <gtest/gtest.h>

#include <random>

#include "config/command_builder.h"
#include "config/readout_parser.h"
#include "config/stored_values.h"
#include "support/config_fixture.h"
#include "support/listing_builder.h"

namespace qx {
namespace {

// A listing with every item drawn at random, odd codes included (&K1, an
// &L that does not fit the mode, unit addresses beyond fast operation's 15,
// the DTR low-power option, repeater lists of every length).
std::string RandomListing(std::mt19937& gen) {
    auto pick = [&gen](int lo, int hi) { return std::to_string(std::uniform_int_distribution<int>(lo, hi)(gen)); };
    test::Listing listing;
    for (const auto& [key, lo, hi] : std::vector<std::tuple<std::string, int, int>>{
             {"B", 0, 2},   {"C", 0, 13},  {"E", 0, 1},    {"Q", 0, 1},    {"V", 0, 1},    {"X", 0, 3},
             {"&B", 0, 15}, {"&C", 0, 2},  {"&D", 0, 3},   {"&E", 0, 1},   {"&G", 0, 255}, {"&K", 0, 5},
             {"&L", 0, 3},  {"&M", 0, 3},  {"&N", 0, 1},   {"&S", 0, 255}, {"&U", 1, 200}, {"\\T", 0, 255},
             {"S0:", 0, 255}, {"S1:", 3, 255}, {"S2:", 1, 255}, {"S6:", 0, 255}, {"S7:", 1, 255}, {"S10:", 0, 255},
             {"S11:", 0, 255}, {"S14:", 0, 255}, {"S16:", 0, 255}, {"S18:", 0, 3}, {"S19:", 0, 3}, {"S21:", 0, 3}})
        listing.Set(key, pick(lo, hi));
    for (const char* key : {"&Z0=", "&Z1=", "&Z2=", "&Z3="}) {
        std::string list;
        for (int n = std::uniform_int_distribution<int>(0, 6)(gen); n > 0; --n) list += (list.empty() ? "" : ",") + pick(0, 127);
        listing.Set(key, list);
    }
    return listing.Text();
}

void Load(test::StartedConfig& s, const std::string& listing) {
    std::string reply = listing;
    int reference = 0;
    ProcessReadConfig(s.config, reply, reference, ReadoutSource::Module);
}

long SettingValue(const WorkingConfig& c, const SettingKey& s) {
    return IsModeSetting(s) ? static_cast<long>(c.Mode()) : c.Value(s.field);
}

TEST(StoredValues, AnyConfigurationAppliedOverAnyOtherWritesTheSameAndAsksNothing) {
    std::mt19937 gen(15);
    for (ModelFamily family : {ModelFamily::Main, ModelFamily::Basic}) {
        for (int i = 0; i < 300; ++i) {
            test::StartedConfig a(family), b(family);
            Load(a, RandomListing(gen));
            Load(b, RandomListing(gen));
            StoredValues values;
            for (const SettingKey& s : AllSettings()) ASSERT_TRUE(values.Add(s, SettingValue(a.config, s)));
            EXPECT_FALSE(values.Add(AllSettings().front(), 1)) << "a setting takes one value";
            b.prompter.Clear();
            EXPECT_TRUE(values.ApplyTo(b.config).empty());
            EXPECT_TRUE(b.prompter.shown.empty()) << i << ": " << b.prompter.Texts().front();
            EXPECT_EQ(BuildConfigCommandList(b.config), BuildConfigCommandList(a.config)) << i;
            for (const SettingKey& s : AllSettings()) {
                if (s.readOnly) continue;
                EXPECT_EQ(SettingValue(b.config, s), SettingValue(a.config, s)) << i << " " << s.key;
            }
            EXPECT_EQ(b.config.PlcModeActive(), a.config.PlcModeActive()) << i;
        }
    }
}

}  // namespace
}  // namespace qx
