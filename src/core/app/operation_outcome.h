#pragma once
// What an operation on a module came to, handed to whoever started it once
// the operation has ended (its thread joined). The messages the user sees
// still go through the Prompter exactly as before; this is the separate
// record from which a front end takes its status line and exit code, so
// nothing has to be guessed from the texts that were shown.

#include <string>

namespace qx {

// The standard reports shown when talking to the module fails (their texts
// are built in serial/module_error_reports.h), and Own for a message of the
// operation's own (the refused XON/XOFF flow control, no module found).
enum class ReportKind {
    R1,   // did not respond correctly, hint without closing parenthesis
    R1a,  // as R1, hint with closing parenthesis
    R2,   // CTS not detected
    R3,   // the error's own message
    R4,   // as R1 with "module" for the product name
    R5,   // unexpected error
    Own,
};

// The class of the error behind a failure; which report a place shows
// depends on it.
enum class ErrorClass {
    WriteComm,    // the module did not answer as expected, or could not be woken
    Comms,        // CTS missing, or the device is no serial port
    PortOpening,  // the port cannot be opened (missing, busy, no permission, open already)
    Other,        // anything else: a listing that cannot be parsed, a file error
};

enum class OutcomeKind {
    Done,       // the operation ran to its end
    Failed,     // it stopped on an error, whose report was shown
    Cancelled,  // it stopped at a safe point because the user asked
    Declined,   // the user answered a question No, and nothing was started
};

// Made through its factories (Done, Cancelled, Declined, Failure): there is
// no outcome by default, so every path says what it came to.
struct OperationOutcome {
    OutcomeKind kind;
    // Failed only: the report shown, its text as shown, the error's class.
    ReportKind report = ReportKind::R3;
    std::string text;
    ErrorClass errorClass = ErrorClass::Other;
    // A store or a factory reset was sent: the module may hold something
    // else now, whatever the kind says.
    bool moduleMayHaveChanged = false;
    // The user asked to stop. With Done the request came too late (after
    // the point of no return, or during the last exchange) to stop anything.
    bool cancelRequested = false;
    // The module identified itself as the other model than the one the
    // program runs as (its product name); empty when it did not.
    std::string otherModel;
    // The firmware line the module identified itself with ("V1.95 SIM", as
    // the status line shows it); empty when the operation did not ask.
    std::string firmware;

    static OperationOutcome Done() { return OperationOutcome(OutcomeKind::Done); }
    static OperationOutcome Cancelled() { return OperationOutcome(OutcomeKind::Cancelled); }
    static OperationOutcome Declined() { return OperationOutcome(OutcomeKind::Declined); }
    static OperationOutcome Failure(ReportKind report, std::string text, ErrorClass errorClass) {
        OperationOutcome o(OutcomeKind::Failed);
        o.report = report;
        o.text = std::move(text);
        o.errorClass = errorClass;
        return o;
    }

    bool IsDone() const { return kind == OutcomeKind::Done; }
    bool IsFailed() const { return kind == OutcomeKind::Failed; }
    bool IsCancelled() const { return kind == OutcomeKind::Cancelled; }

private:
    explicit OperationOutcome(OutcomeKind k) : kind(k) {}
};

}  // namespace qx
