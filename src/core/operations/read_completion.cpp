#include "operations/read_completion.h"

#include "config/firmware_identification.h"
#include "config/readout_parser.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx {

using namespace std::chrono_literals;

namespace {

FirmwareJudge JudgeFor(const Workspace& workspace) {
    return {workspace.s21Reference, workspace.variant.Family, workspace.variant.ProductName};
}

OperationOutcome Identified(const FirmwareReply& reply) {
    OperationOutcome outcome = OperationOutcome::Done();
    outcome.otherModel = reply.otherModel;
    outcome.firmware = FirmwareLine(reply);
    return outcome;
}

}  // namespace

FirmwareReply ReadFirmwareVer(Workspace& workspace, TCOMQX7Object& channel) {
    // The wait ends as soon as a "V" (of the version) has arrived.
    channel.SendExpect("ATI\r", "V", 100ms);
    FirmwareReply reply{CutIdentificationText(workspace.replyText, workspace.variant),
                        OtherModelNamed(workspace.replyText, workspace.variant)};
    if (!reply.otherModel.empty())
        workspace.AppendLogLine(OtherModelText(reply.otherModel, workspace.variant) + "\r");
    return reply;
}

std::string FirmwareLine(const FirmwareReply& reply) {
    std::string line = FirmwareStatusText(GetFirmwareVer(reply.identification));
    line.erase(0, line.find_first_not_of(' '));
    return line;
}

OperationOutcome UpdateReadConfig(Workspace& workspace, TCOMQX7Object& channel) {
    FirmwareReply identified;
    try {
        ProcessReadConfig(workspace.config, workspace.replyText, workspace.s21Reference, ReadoutSource::Module);
        identified = ReadFirmwareVer(workspace, channel);
        const FirmwareVersion firmware = GetFirmwareVer(identified.identification);
        workspace.SetStatusText(FirmwareStatusText(firmware));
        CheckS21Support(firmware.version, JudgeFor(workspace), workspace.GetPrompter());
        try {
            channel.SendExpect("ATZ\r", "\r", 100ms);
        } catch (const std::exception&) {
            // With local echo off the restart's answer may not come back as
            // expected; that is no reason to alarm the user.
            if (!workspace.config.Checked(FieldId::Adv_Echo)) throw;
        }
    } catch (const std::exception& e) {
        OperationOutcome failure =
            ReportFailure(workspace.GetPrompter(), ReportSite::ReadoutFollowUp, workspace.variant.ProductName, e);
        failure.otherModel = identified.otherModel;
        return failure;
    }
    return Identified(identified);
}

OperationOutcome IdentifyDuringConfigure(Workspace& workspace, TCOMQX7Object& channel) {
    workspace.s21Reference = static_cast<int>(workspace.config.Value(FieldId::sreg_21));
    const FirmwareReply identified = ReadFirmwareVer(workspace, channel);
    CheckFirmware(identified.identification, JudgeFor(workspace), workspace.GetPrompter());
    return Identified(identified);
}

}  // namespace qx
