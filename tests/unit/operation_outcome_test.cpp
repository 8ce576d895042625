// What Configure, Read and Restore Factory Defaults hand back when they end,
// against a fake module on a real pseudo-terminal: the outcome's kind, the
// report and error class of a failure, whether the module may have changed
// and whether a cancel came too late, beside the messages the user saw.
// (The plain successes, the refused XON/XOFF and the cancel during the list
// are checked where operations_test runs them.)

#include <gtest/gtest.h>

#include <atomic>

#include "config/readout_parser.h"
#include "support/operation_rig.h"

namespace qx {
namespace {

using test::OperationRig;
using test::StandardReply;

const std::string kNoResponse = "Error communicating with QX7T-R. The module did not respond correctly.";

struct OutcomeCase {
    const char* name;
    ModuleOperation operation;
    std::string line;   // the line answered differently (empty: none)
    std::string reply;  // its answer
    std::string cancelOn;  // the line on whose arrival the user cancels
    OutcomeKind kind;
    ReportKind report;  // failures only
    ErrorClass errorClass;
    bool changed;
    std::vector<std::string> shown;  // every message, in order
};

void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }

class OperationOutcomes : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(OperationOutcomes, SayWhatHappened) {
    const OutcomeCase& c = GetParam();
    // The fake module's thread cancels; it sees the worker only once it exists.
    std::atomic<TProgramThread*> running{nullptr};
    OperationRig rig([&](const std::string& line) {
        if (TProgramThread* t = running.load(); t && !c.cancelOn.empty() && line == c.cancelOn)
            t->RequestTermination();
        return !c.line.empty() && line == c.line ? c.reply : StandardReply(line);
    });
    if (c.operation == ModuleOperation::Read) PrepareReadModuleConfig(rig.workspace);
    rig.workspace.config.SetChoice(FieldId::Serial_Flow, 3);  // XON/XOFF: "AT&K5"
    ConfigCommandList list;
    if (c.operation == ModuleOperation::Configure) list = *PrepareWriteConfig(rig.workspace);
    rig.thread = std::make_unique<TProgramThread>(rig.Context(), c.operation, list);
    running = rig.thread.get();
    rig.thread->Execute();

    const OperationOutcome& o = rig.thread->Outcome();
    EXPECT_EQ(o.kind, c.kind);
    EXPECT_EQ(o.moduleMayHaveChanged, c.changed);
    EXPECT_EQ(o.cancelRequested, !c.cancelOn.empty());
    EXPECT_EQ(rig.prompter.Texts(), c.shown);
    if (c.kind == OutcomeKind::Failed) {
        EXPECT_EQ(o.report, c.report);
        EXPECT_EQ(o.errorClass, c.errorClass);
        EXPECT_EQ(o.text, c.shown.back());
    }
}

using enum ModuleOperation;
using enum OutcomeKind;
const std::string kListing = test::DefaultListing();
const std::string kFlood(2600, 'x');

std::string WithFlowControl(int k) {
    std::string listing = kListing;
    listing.replace(listing.find("&K4"), 3, "&K" + std::to_string(k));
    return listing;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, OperationOutcomes,
    ::testing::Values(
        // A message that does not stop the parse does not fail the read.
        OutcomeCase{"ReadWithFlowControl2", Read, "AT&V", WithFlowControl(2), "", Done, {}, {}, false,
                    {std::string(kFlowControlMessageStart) + "2 for flow control.\r\nThis value is not yet supported "
                     "and has been changed to &&K3 (CTS/RTS).\r\nThe module MUST be reprogrammed for the change to "
                     "take effect."}},
        // Answers that fill every read without what is waited for.
        OutcomeCase{"ReadUnanswered", Read, "AT&V", kFlood, "", Failed, ReportKind::R3, ErrorClass::WriteComm, false,
                    {kNoResponse}},
        OutcomeCase{"ReadGarbled", Read, "AT&V", "\r\nB0 C4 E1 Q0 V1 X0 &B2 &C1 &D0 &E0 &G1 &Kx &Z3= \r\nOK\r\n", "",
                    Failed, ReportKind::R3, ErrorClass::Other, false, {"'x' is not a valid integer value"}},
        OutcomeCase{"ReadIdentificationUnanswered", Read, "ATI", kFlood, "", Failed, ReportKind::R1a,
                    ErrorClass::WriteComm, false,
                    {kNoResponse + "\r\nEnsure COM port settings are correct, and module is Switched On.\r\n(Hint: "
                                   "Set Switch 2 on module to restore factory defaults.)"}},
        // The listing was asked for: the read runs to its end.
        OutcomeCase{"ReadCancelledDuringTheListing", Read, "", "", "AT&V", Done, {}, {}, false, {}},
        // Past the store the cancel cannot stop anything.
        OutcomeCase{"ConfigureCancelledDuringTheStore", Configure, "", "", "AT&W", Done, {}, {}, true, {}},
        // The factory reset went out; the read-back is what the cancel stops.
        OutcomeCase{"RestoreCancelledDuringTheReset", RestoreDefaults, "", "", "AT&F&W", Cancelled, {}, {}, true,
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OperationOutcome, AModuleOfTheOtherModelIsNamedAndLogged) {
    OperationRig rig([](const std::string& line) {
        if (line == "ATI") return std::string("\r\nQX5T Radio Modem V1.95\r\nOK\r\n");
        return StandardReply(line);
    });
    PrepareReadModuleConfig(rig.workspace);
    rig.Run(ModuleOperation::Read);
    const OperationOutcome& o = rig.thread->Outcome();
    EXPECT_EQ(o.kind, OutcomeKind::Done);
    EXPECT_EQ(o.otherModel, "QX5T");
    EXPECT_EQ(rig.workspace.StatusText(), "  V1.95 ");
    EXPECT_NE(rig.workspace.Log().find("The module identifies itself as QX5T, not as QX7T-R."),
              std::string::npos);
}

}  // namespace
}  // namespace qx
