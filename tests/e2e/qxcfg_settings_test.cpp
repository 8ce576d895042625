// qxcfg's readable settings as separate processes on real files and the
// simulator: keys and labels in NAME=VALUE, JSON objects applied as a file
// load applies them, the show --json | set --from-json round trip (and
// write --from-json | read --json through a module), and the fields listing.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <sstream>

#include "config/setting_labels.h"
#include "e2e/sim_fixture.h"
#include "support/run_process.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

using test::RunProgram;

struct Case {
    std::vector<std::string> args;      // after "set FILE" (a factory file, system address 17)
    std::string json;                   // given with --from-json when not empty
    int exitCode;
    std::vector<std::string> commands;  // lines `commands FILE` prints afterwards
    std::string err;                    // a part of standard error
    std::vector<std::string> before = {};  // set in a run of their own first
};

// The model goes first when a case names one.
test::ProcessResult RunOn(const std::string& file, std::vector<std::string> tail) {
    std::vector<std::string> args = {"set", file};
    if (!tail.empty() && tail.front() == "QX5T") args.insert(args.begin(), {"--model", "QX5T"});
    for (auto& a : tail)
        if (a != "QX5T") args.push_back(a);
    return RunProgram("qxcfg", args);
}

TEST(QxcfgSettings, KeysLabelsAndJsonObjectsReachTheFieldsTheyName) {
    const std::vector<Case> cases = {
        {{"serial.baud=19200", "mode=single-connect"}, "", 0, {"ATC6", "AT&L0", "AT&M2"}, ""},
        {{"serial.format=o-7-2", "radio.data-rate=115200"}, "", 0, {"AT&B9", "ATB2"}, ""},
        {{"QX5T", "radio.data-rate=76800"}, "", 0, {"ATB2"}, ""},
        {{"Serial_Baud=4", "serial.flow=CTS/RTS"}, "", 0, {"ATC4", "AT&K3"}, ""},
        {{"Serial_Baud=57600", "serial.baud=115200-c12"}, "", 0, {"ATC12"}, ""},
        // A control name takes an item number first, a key its label.
        {{"Serial_Stop=1"}, "", 0, {"AT&B3"}, ""},
        {{"serial.stop-bits=1", "Serial_Stop=2"}, "", 0, {"AT&B3"}, ""},
        {{"mode=auto-connect-master", "unit-address=20", "fast-operation=on"}, "", 0, {"AT&U15", "AT&M3"}, ""},
        {{"OperatingMode=5", "disable-echo=on", "plc-mode=off"}, "", 0, {"AT&L0", "ATE0", "ATS18=0", "ATS19=0"},
         "Threshold registers S18 & S19 will be cleared continue? -> Yes"},
        {{"radio.packet-size=100", "s7=999"}, "", 0, {"ATS14=40", "ATS7=255"},
         "qxcfg: warning: s7=999 is outside 1..255; 255 applied"},
        {{"s7=999", "--strict"}, "", 2, {"ATS7=5"}, "qxcfg: s7=999 is outside 1..255 (--strict)"},
        {{"s7=1.5"}, "", 0, {"ATS7=1"}, "s7='1.5' is not a whole number; 1 applied"},
        {{"serial.baud=9601"}, "", 2, {"ATC4"}, "serial.baud takes one of 115200, 1200,"},
        {{"serial.format=N-9-1"}, "", 2, {}, "serial.format takes parity N, Z, O or E"},
        // Numbers the module keeps in steps of its own are moved to the step below, said as a clamp is.
        {{"s1=1010", "s10=35", "s14=101"}, "", 0, {"ATS1=50", "ATS10=3", "ATS14=40"},
         "qxcfg: warning: s1=1010 is not a multiple of 20 ms; 1000 applied"},
        {{"s10=35", "--strict"}, "", 2, {"ATS10=1"}, "qxcfg: s10=35 is not a multiple of 10 ms (--strict)"},
        {{"s7=2147483648"}, "", 0, {"ATS7=255"}, "s7=2147483648 is outside 1..255; 255 applied"},
        // What the window hides or shows disabled is not set: nothing is saved.
        {{"s9=3"}, "", 2, {}, "s9 is reported by the module and cannot be set"},
        {{"group-address-2=9"}, "", 2, {}, "group-address-2 is hidden in transparent mode (it is shown in transparent-repeater)"},
        {{"unit-address=9"}, "", 2, {"AT&U1"}, "unit-address is hidden in transparent mode"},
        {{"dest1.address=9"}, "", 2, {"AT&Z0="}, "dest1.address is hidden in transparent mode"},
        {{"dest4.repeater1=3"}, "", 2, {"AT&Z3="}, "dest4.repeater1 is hidden in transparent mode"},
        {{"fast-operation=on"}, "", 2, {"AT&M0", "ATS18=120"}, "fast-operation is hidden in transparent mode"},
        {{"mode=auto-connect-master", "dest2.address=5"}, "", 2, {"AT&Z1="},
         "dest2.address is hidden in auto-connect-master mode (it is shown in single-connect)"},
        {{"QX5T", "mode=single-connect", "s21=2"}, "", 2, {"ATS21=1"}, "s21: the QX5T has no such setting"},
        {{"nosuch=1"}, "", 2, {}, "unknown setting 'nosuch'"},
        // JSON: a file load's setters, in a fixed order; hidden settings taken as stored.
        {{"mode=transparent-repeater"}, R"({"group-address-2": 9, "s9": 71, "status": "V1.95", "model": "QX7T-R"})",
         0, {"AT&U9", "AT&M1"}, ""},
        {{}, R"({"dest1.address": 12, "dest1.repeater1": 5, "mode": "auto-connect-slave"})", 0,
         {"AT&U2", "AT&L3", "AT&Z0=5,12"}, ""},
        {{}, R"({"Z0_Dest": "12", "OperatingMode": 3, "sreg_7": "9", "Serial_Baud": 6, "rb_TM_Rpt": 0})", 0,
         {"AT&Z0=12", "AT&L2", "ATS7=9", "ATC6", "ATS18=120"}, ""},
        {{"mode=single-connect", "low-power=on"}, "", 0, {"AT&D3"}, ""},
        {{"mode=single-connect", "low-power=on", "serial.dtr=command-mode"}, "", 0, {"AT&D1"}, ""},
        {{}, R"({"serial.dtr": "command-mode"})", 0, {"AT&D1"}, "", {"mode=single-connect", "low-power=on"}},
        {{}, R"({"s7": 999, "unit-address": 0})", 0, {"ATS7=255"}, "warning: unit-address=0 is outside 1..127"},
        {{}, R"({"unit-address": 40, "fast-operation": "on", "mode": "single-connect"})", 0, {"AT&U15", "AT&M3"},
         "warning: unit-address=40 is outside 1..15; 15 applied"},
        {{"--strict"}, R"({"s7": 999})", 2, {"ATS7=5"}, "s7=999 is outside 1..255 (--strict)"},
        {{}, R"({"serial.format": "E-7-1", "serial.parity": "odd"})", 2, {}, "gives serial.parity a second time"},
        {{}, R"({"model": "QX5T"})", 2, {}, "the object is for the QX5T, not the QX7T-R"},
        {{"QX5T"}, R"({"fast-operation": "on"})", 2, {}, "the QX5T has no Fast Operation"},
        {{}, R"({"serial.baud": "9601"})", 2, {}, "\"serial.baud\" takes one of"},
        {{}, R"({"s7": 1.5})", 2, {}, "\"s7\" takes a whole number, not '1.5'"},
        {{}, R"({"s7": [9]})", 2, {}, "\"s7\": an array"},
        {{}, R"({"PlcModeActive": 1})", 2, {}, "unknown setting 'PlcModeActive'"},
    };
    test::ScratchFolder folder;
    for (const Case& c : cases) {
        const std::string file = folder.Path("c.X7R");
        const bool basic = !c.args.empty() && c.args.front() == "QX5T";
        std::vector<std::string> newArgs = {"new", "-o", file, "--sysaddr", "17"};
        if (basic) newArgs.insert(newArgs.begin(), {"--model", "QX5T"});
        ASSERT_EQ(RunProgram("qxcfg", newArgs).exitCode, 0);
        if (!c.before.empty()) {
            ASSERT_EQ(RunOn(file, c.before).exitCode, 0);
        }
        std::vector<std::string> tail = c.args;
        if (!c.json.empty()) tail.insert(tail.end(), {"--from-json", folder.Write("c.json", c.json)});
        const auto r = RunOn(file, tail);
        const std::string what = (c.args.empty() ? "" : c.args.back()) + " " + c.json;
        EXPECT_EQ(r.exitCode, c.exitCode) << what << "\n" << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << what << "\n" << r.err;
        const std::string commands = RunProgram("qxcfg", {"commands", file}).out;
        for (const auto& line : c.commands) {
            EXPECT_NE(commands.find(line + "\n"), std::string::npos) << what << ": no " << line << " in\n" << commands;
        }
    }
}

// A JSON object with every setting at a random value of its own range.
std::string RandomSettings(ModelFamily family, std::mt19937& gen) {
    std::string json = "{";
    int lastDestination = 1;
    bool repeater = false;
    for (const SettingKey& s : AllSettings()) {
        if (s.readOnly || (!Has(ModelOf(family), s.needs) && s.key != "s21")) continue;
        long value = std::uniform_int_distribution<long>(MinValue(s, family), MaxValue(s, family))(gen);
        // Two files change when loaded (as they always have): a destination
        // 0 after five repeaters reads back as the fifth repeater's
        // destination, and a repeater's DTR option "Low Power, Disconnect"
        // is undone by the mode's rule. Keep those out; they have no stable file.
        if (s.key == "mode") repeater = value == static_cast<long>(OperatingMode::TransparentRepeater);
        if (s.key == "serial.dtr" && repeater && value == 3) value = 0;
        if (s.key.ends_with(".address")) lastDestination = static_cast<int>(value);
        if (s.key.ends_with(".repeater5") && lastDestination == 0) value = 0;
        json += (json.size() > 1 ? ", \"" : "\"") + std::string(s.key) + "\": ";
        const bool number = Spec(s.field).kind == FieldKind::Number;
        json += number ? std::to_string(value) : "\"" + ValueLabel(s, family, value) + "\"";
    }
    return json + "}";
}

TEST(QxcfgSettings, ShowJsonFedToSetFromJsonGivesTheSameFileForRandomConfigurationsOfBothModels) {
    std::mt19937 gen(1515);
    test::ScratchFolder folder;
    for (const char* model : {"QX7T-R", "QX5T"}) {
        const ModelFamily family = std::string(model) == "QX5T" ? ModelFamily::Basic : ModelFamily::Main;
        for (int i = 0; i < 8; ++i) {
            const std::string a = folder.Path("a.X7R"), b = folder.Path("b.X7R");
            for (const std::string& file : {a, b}) {
                std::filesystem::remove(file);
                const auto made = RunProgram("qxcfg", {"--model", model, "set", file, "--from-json", "-"},
                                             RandomSettings(family, gen));
                ASSERT_EQ(made.exitCode, 0) << made.err;
            }
            const auto shown = RunProgram("qxcfg", {"--model", model, "show", a, "--json"});
            ASSERT_EQ(shown.exitCode, 0) << shown.err;
            const auto set = RunProgram("qxcfg", {"--model", model, "set", b, "--from-json", "-"}, shown.out);
            ASSERT_EQ(set.exitCode, 0) << set.err;
            EXPECT_EQ(test::ReadWholeFile(b), test::ReadWholeFile(a)) << model << " " << i << "\n" << shown.out;
            EXPECT_EQ(RunProgram("qxcfg", {"--model", model, "show", b, "--json"}).out, shown.out);
        }
    }
}

TEST(QxcfgSettings, FieldsListsEverySettingWithItsChoices) {
    for (const auto& [model, family] :
         {std::pair{"QX7T-R", ModelFamily::Main}, std::pair{"QX5T", ModelFamily::Basic}}) {
        const auto r = RunProgram("qxcfg", {"--model", model, "fields", "--json"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        std::istringstream text(RunProgram("qxcfg", {"--model", model, "fields"}).out);
        std::set<std::string> listed;  // the first word of each setting's first line
        for (std::string line; std::getline(text, line);)
            if (!line.starts_with(" ")) listed.insert(line.substr(0, line.find(' ')));
        EXPECT_EQ(listed.size(), AllSettings().size());
        for (const SettingKey& s : AllSettings()) {
            const auto at = r.out.find("{\"key\": \"" + std::string(s.key) + "\"");
            ASSERT_NE(at, std::string::npos) << s.key;
            const std::string entry = r.out.substr(at, r.out.find('\n', at) - at);
            EXPECT_NE(entry.find("\"" + std::string(Spec(s.field).name) + "\""), std::string::npos) << entry;
            for (const auto& label : ValueLabels(s, family))
                EXPECT_NE(entry.find("{\"label\": \"" + label + "\""), std::string::npos) << entry;
            EXPECT_TRUE(listed.count(std::string(s.key))) << s.key;
        }
    }
}

class QxcfgSettingsOnModule : public simtest::SimTest {};

TEST_F(QxcfgSettingsOnModule, WriteFromJsonThenReadJsonGivesTheFileBack) {
    Start({"--state", StateFile()});
    const std::string file = dir_.File("site.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "17"}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"set", file, "mode=single-connect", "dest2.address=9", "dest2.repeater1=4", "s7=9",
                                   "radio.crc=on", "serial.dcd=pulse-low-on-disconnect"})
                  .exitCode,
              0);
    const std::string json = dir_.File("site.json");
    std::ofstream(json) << RunProgram("qxcfg", {"show", file, "--json"}).out;
    const auto w = RunProgram("qxcfg", {"write", "--port", Link(), "--from-json", json, "--verify"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    EXPECT_NE(w.out.find("verified"), std::string::npos) << w.out;

    const auto r = RunProgram("qxcfg", {"read", "--port", Link(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(", \"status\": \"V1.95 "), std::string::npos) << r.out;  // the status line
    EXPECT_NE(r.out.find(", \"s9\": "), std::string::npos) << r.out;
    const std::string back = dir_.File("back.X7R");
    const auto set = RunProgram("qxcfg", {"set", back, "--from-json", "-"}, r.out);
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(test::ReadWholeFile(back), test::ReadWholeFile(file));
}

}  // namespace
}  // namespace qx
