// Which report each place shows for each class of error, with the exact
// texts; and the com port names.

#include <gtest/gtest.h>

#include "serial/module_error_reports.h"
#include "serial/port_map.h"
#include "serial/serial_errors.h"
#include "serial/system_port_names.h"

namespace qx {
namespace {

const std::string kR1 =
    "Error communicating with QX5T. The module did not respond correctly.\r\n"
    "Ensure COM port settings are correct, and module is Switched On.\r\n"
    "(Hint: Set Switch 2 on module to restore factory defaults.";
const std::string kR1a = kR1 + ")";
const std::string kR2 =
    "Error communicating with QX5T. The module CTS signal was not detected.\r\n"
    "Ensure COM port connections are correct, and module is Switched On.";
const std::string kR4 =
    "Error communicating with module. The module did not respond correctly.\r\n"
    "Ensure COM port settings are correct, and module is Switched On.\r\n"
    "(Hint: Set Switch 2 on module to restore factory defaults.";
const std::string kR5 = "An unexpected error occured while communicating with the module.";

const EWriteCommError kWake("Error communicating with QX5T. Unable to wake modem.");
const ECommsError kCts("CTS on modem was not detected.");
const EOpeningPortError kInUse("COM2- This port may be already in use or not present.");
const std::runtime_error kOther("something else");

struct SiteCase {
    const char* name;
    ReportSite site;
    std::string forWriteComm, forComms, forOther;
};

inline void PrintTo(const SiteCase& c, std::ostream* os) { *os << c.name; }

class ReportBySite : public ::testing::TestWithParam<SiteCase> {};

TEST_P(ReportBySite, PicksTheReportByErrorClass) {
    const SiteCase& c = GetParam();
    EXPECT_EQ(ReportFor(c.site, "QX5T", kWake), c.forWriteComm);
    EXPECT_EQ(ReportFor(c.site, "QX5T", kCts), c.forComms);
    EXPECT_EQ(ReportFor(c.site, "QX5T", kOther), c.forOther);
    // Opening errors are not communication errors: never R1/R2.
    const std::string forOpening = ReportFor(c.site, "QX5T", kInUse);
    EXPECT_TRUE(forOpening == kInUse.what() || forOpening == kR5) << forOpening;
}

const std::string kWakeText = kWake.what();
const std::string kCtsText = kCts.what();
const std::string kOtherText = kOther.what();

INSTANTIATE_TEST_SUITE_P(
    ModuleErrorReport, ReportBySite,
    ::testing::Values(SiteCase{"ModuleOperation", ReportSite::ModuleOperation, kWakeText, kCtsText, kOtherText},
                      SiteCase{"ReadoutFollowUp", ReportSite::ReadoutFollowUp, kR1a, kR2, kOtherText},
                      SiteCase{"TransmitTest", ReportSite::TransmitTest, kR1, kR2, kOtherText},
                      SiteCase{"LastResort", ReportSite::LastResort, kR1, kR2, kOtherText},
                      SiteCase{"ReceiveTestButtons", ReportSite::ReceiveTestButtons, kR4, kCtsText, kOtherText},
                      SiteCase{"ReceiveTestWindowClosed", ReportSite::ReceiveTestWindowClosed, kR4, kR5, kR5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortMap, NamesAndDefaultPaths) {
    EXPECT_EQ(PortName(0), "COM1");
    EXPECT_EQ(PortName(7), "COM8");
    EXPECT_EQ(PortIndexFromName("COM6"), 5);
    EXPECT_EQ(PortIndexFromName("com1"), 0);
    for (const char* bad : {"COM0", "COM9", "COM10", "CON1", "/dev/ttyUSB0", ""})
        EXPECT_FALSE(PortIndexFromName(bad).has_value()) << bad;
    PortMap map;
    EXPECT_EQ(map.PathFor(0), DefaultPortPath(0));
    EXPECT_EQ(map.PathFor(7), DefaultPortPath(7));
    map.Override(2, "/tmp/m1");
    EXPECT_EQ(map.PathFor(2), "/tmp/m1");
    EXPECT_TRUE(map.IsOverridden(2));
    map.ClearOverride(2);
    EXPECT_EQ(map.PathFor(2), DefaultPortPath(2));
}

}  // namespace
}  // namespace qx
