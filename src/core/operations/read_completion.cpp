#include "operations/read_completion.h"

#include "config/firmware_identification.h"
#include "config/readout_parser.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx {

namespace {

FirmwareJudge JudgeFor(const Workspace& workspace) {
    return {workspace.s21Reference, workspace.variant.Family, workspace.variant.ProductName};
}

}  // namespace

std::string ReadFirmwareVer(Workspace& workspace, TCOMQX7Object& channel) {
    // The wait ends as soon as a "V" (of the version) has arrived.
    channel.SendExpect("ATI\r", "V", 100);
    return CutIdentificationText(workspace.replyText);
}

void UpdateReadConfig(Workspace& workspace, TCOMQX7Object& channel) {
    try {
        ProcessReadConfig(workspace.config, workspace.replyText, workspace.s21Reference, ReadoutSource::Module);
        const FirmwareVersion firmware = GetFirmwareVer(ReadFirmwareVer(workspace, channel));
        workspace.config.SetStatusText(FirmwareStatusText(firmware));
        CheckS21Support(firmware.version, JudgeFor(workspace), workspace.GetPrompter());
        try {
            channel.SendExpect("ATZ\r", "\r", 100);
        } catch (const std::exception&) {
            // With local echo off the restart's answer may not come back as
            // expected; that is no reason to alarm the user.
            if (!workspace.config.Checked(FieldId::Adv_Echo)) throw;
        }
    } catch (const std::exception& e) {
        Tell(workspace.GetPrompter(), MessageKind::Error,
             ReportFor(ReportSite::ReadoutFollowUp, workspace.variant.ProductName, e));
    }
}

void IdentifyDuringConfigure(Workspace& workspace, TCOMQX7Object& channel) {
    workspace.s21Reference = static_cast<int>(workspace.config.Value(FieldId::sreg_21));
    CheckFirmware(ReadFirmwareVer(workspace, channel), JudgeFor(workspace), workspace.GetPrompter());
}

}  // namespace qx
