#include "serial/module_error_reports.h"

#include "serial/serial_errors.h"

namespace qx {

namespace {

const std::string kCrLf = "\r\n";

std::string DidNotRespond(const std::string& who) {
    return "Error communicating with " + who + ". The module did not respond correctly." + kCrLf +
           "Ensure COM port settings are correct, and module is Switched On." + kCrLf +
           "(Hint: Set Switch 2 on module to restore factory defaults.";
}

}  // namespace

ErrorClass ClassOf(const std::exception& e) {
    if (dynamic_cast<const EWriteCommError*>(&e)) return ErrorClass::WriteComm;
    if (dynamic_cast<const ECommsError*>(&e)) return ErrorClass::Comms;
    if (dynamic_cast<const EOpeningPortError*>(&e) || dynamic_cast<const EPortAlreadyOpen*>(&e))
        return ErrorClass::PortOpening;
    return ErrorClass::Other;
}

std::string ModuleErrorReport(ReportKind kind, const std::string& productName, const std::exception& error) {
    switch (kind) {
        case ReportKind::R1: return DidNotRespond(productName);
        case ReportKind::R1a: return DidNotRespond(productName) + ")";
        case ReportKind::R2:
            return "Error communicating with " + productName + ". The module CTS signal was not detected." + kCrLf +
                   "Ensure COM port connections are correct, and module is Switched On.";
        case ReportKind::R3: return error.what();
        case ReportKind::R4: return DidNotRespond("module");
        case ReportKind::R5: return "An unexpected error occured while communicating with the module.";
        case ReportKind::Own: break;
    }
    return error.what();
}

ReportKind ReportKindFor(ReportSite site, const std::exception& error) {
    const ErrorClass c = ClassOf(error);
    switch (site) {
        case ReportSite::ModuleOperation: return ReportKind::R3;
        case ReportSite::ReadoutFollowUp:
            return c == ErrorClass::WriteComm ? ReportKind::R1a : c == ErrorClass::Comms ? ReportKind::R2 : ReportKind::R3;
        case ReportSite::TransmitTest:
        case ReportSite::LastResort:
            return c == ErrorClass::WriteComm ? ReportKind::R1 : c == ErrorClass::Comms ? ReportKind::R2 : ReportKind::R3;
        case ReportSite::ReceiveTestButtons: return c == ErrorClass::WriteComm ? ReportKind::R4 : ReportKind::R3;
        case ReportSite::ReceiveTestWindowClosed: return c == ErrorClass::WriteComm ? ReportKind::R4 : ReportKind::R5;
    }
    return ReportKind::R3;
}

std::string ReportFor(ReportSite site, const std::string& productName, const std::exception& error) {
    return ModuleErrorReport(ReportKindFor(site, error), productName, error);
}

OperationOutcome FailureAt(ReportSite site, const std::string& productName, const std::exception& error) {
    const ReportKind kind = ReportKindFor(site, error);
    return OperationOutcome::Failure(kind, ModuleErrorReport(kind, productName, error), ClassOf(error));
}

OperationOutcome ReportFailure(Prompter& prompter, ReportSite site, const std::string& productName,
                               const std::exception& error) {
    OperationOutcome failure = FailureAt(site, productName, error);
    Tell(prompter, MessageKind::Error, failure.text);
    return failure;
}

}  // namespace qx
