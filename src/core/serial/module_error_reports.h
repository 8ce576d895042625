#pragma once
// The standard reports shown when talking to the module fails. Which report
// a place shows depends on the class of the error that reached it; the texts
// of R1, R1a and R2 are built from the product name alone, never from the
// error's own text.

#include <exception>
#include <string>

#include "app/operation_outcome.h"
#include "app/prompter.h"

namespace qx {

// The places that report module errors, each with its own choice of report.
enum class ReportSite {
    ModuleOperation,          // configure, read, restore defaults on the worker thread
    ReadoutFollowUp,          // the "ATI" and "ATZ" that finish a readout
    TransmitTest,             // transmit test start and stop
    ReceiveTestButtons,       // receive test Start and Stop
    ReceiveTestWindowClosed,  // receive test window closed while a test runs
    LastResort,               // an error that escaped an operation's own report
};

std::string ModuleErrorReport(ReportKind kind, const std::string& productName, const std::exception& error);

// The report a site shows for `error`, chosen by the error's class.
ReportKind ReportKindFor(ReportSite site, const std::exception& error);

// ModuleErrorReport(ReportKindFor(site, error), productName, error).
std::string ReportFor(ReportSite site, const std::string& productName, const std::exception& error);

// The class of a serial-link error (Other for anything else).
ErrorClass ClassOf(const std::exception& error);

// The failure `error` is at `site`: the report chosen, its text, the class.
OperationOutcome FailureAt(ReportSite site, const std::string& productName, const std::exception& error);

// Shows that failure in an error box (OK) and returns it.
OperationOutcome ReportFailure(Prompter& prompter, ReportSite site, const std::string& productName,
                               const std::exception& error);

}  // namespace qx
