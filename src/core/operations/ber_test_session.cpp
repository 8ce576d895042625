#include "operations/ber_test_session.h"

#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx {

using namespace std::chrono_literals;

BerTestSession::BerTestSession(TCOMQX7Object& channel, int testNumber, UiDispatcher& ui, TestDisplay& display,
                               Prompter& prompter)
    : channel_(channel),
      ui_(ui),
      display_(display),
      prompter_(prompter),
      testCommand_("AT&T" + std::to_string(testNumber)) {
    // From now on every text the port delivers, command replies included,
    // passes through the line splitter.
    channel_.SetOnReply([this](const std::string& text) { TestDataReceived(text); });
}

BerTestSession::~BerTestSession() {
    channel_.SetOnReply({});
    if (pollThread_) {
        pollThread_->Terminate();
        ui_.WaitServing([this] { return pollThread_->Finished(); });
    }
}

std::string BerTestSession::WindowCaption() const {
    return testCommand_ == "AT&T3" ? "RSSI Measurement" : "Receive Bit Error Rate Test";
}

OperationOutcome BerTestSession::btn_StartStopClick() {
    const bool starting = buttonCaption_ == "Start";
    OperationOutcome outcome = OperationOutcome::Done();
    try {
        acting_ = true;
        if (!(starting ? Start() : Stop())) outcome = OperationOutcome::Cancelled();
    } catch (const std::exception& e) {
        // R4 for a module that did not answer, the error's own text otherwise.
        outcome = ReportFailure(prompter_, ReportSite::ReceiveTestButtons, channel_.GetProductName(), e);
    }
    acting_ = false;
    // A failed or cancelled stop still returns the window to its idle state.
    if (!starting) buttonCaption_ = "Start";
    return outcome;
}

bool BerTestSession::RunExchanges(const std::string& what, const ExchangeRunner::Exchanges& steps) {
    return runner_->Run(what, [&](const ExchangeRunner::Cancelled& cancelled) {
        const StopRequestScope stop(channel_, cancelled);
        return steps(cancelled);
    });
}

bool BerTestSession::Start() {
    const bool started = RunExchanges("Starting the test...", [this](const ExchangeRunner::Cancelled& cancelled) {
        channel_.Wake();
        if (cancelled()) return false;
        channel_.SendExpect("AT&K0\r", "\r", 50ms);
        if (cancelled()) return false;
        channel_.ClearModemLine();
        if (cancelled()) return false;
        // Answered, the test runs: a cancel that comes later no longer counts.
        channel_.SendExpect(testCommand_ + "\r", "\r", 50ms);
        return true;
    });
    if (!started) return false;
    // The start exchange's wait ends at its first CR; what it left of an
    // unfinished line ("OK" without its line end, the rest purged) is no
    // part of the first result line.
    lineBuffer_.clear();
    pollThread_ = std::make_unique<TOnLineObject>(channel_, ui_, pollingEndedNotice_);
    buttonCaption_ = "Stop";
    return true;
}

OperationOutcome BerTestSession::PollingEnded() {
    if (acting_ || !pollThread_ || !pollThread_->Finished()) return OperationOutcome::Done();
    pollThread_->WaitFor();
    const std::exception_ptr fatal = pollThread_->FatalException();
    pollThread_.reset();
    buttonCaption_ = "Start";
    if (!fatal) return OperationOutcome::Done();
    try {
        std::rethrow_exception(fatal);
    } catch (const std::exception& e) {
        return ReportFailure(prompter_, ReportSite::ReceiveTestButtons, channel_.GetProductName(), e);
    } catch (...) {
        return OperationOutcome::Done();
    }
}

bool BerTestSession::Stop() {
    // The port is used again only after the polling thread's current read.
    if (pollThread_) {
        pollThread_->Terminate();
        ui_.WaitServing([this] { return pollThread_->Finished(); });
        pollThread_.reset();
    }
    return RunExchanges("Stopping the test...", [this](const ExchangeRunner::Cancelled& cancelled) {
        channel_.ClearModemLine();
        if (cancelled()) return false;
        channel_.Wake();
        if (cancelled()) return false;
        channel_.SendExpect("ATZ\r", "\r", 50ms);
        return true;
    });
}

OperationOutcome BerTestSession::StopTestAndClose() {
    if (buttonCaption_ != "Stop") return OperationOutcome::Done();
    OperationOutcome outcome = OperationOutcome::Done();
    try {
        acting_ = true;
        if (!Stop()) outcome = OperationOutcome::Cancelled();
    } catch (const std::exception& e) {
        outcome = ReportFailure(prompter_, ReportSite::ReceiveTestWindowClosed, channel_.GetProductName(), e);
    }
    acting_ = false;
    buttonCaption_ = "Start";
    return outcome;
}

void BerTestSession::TestDataReceived(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lineBuffer_ += text[i];
            continue;
        }
        const std::string line = std::move(lineBuffer_);
        lineBuffer_.clear();
        ParseTestLine(line);
        // The character after a CR (normally the LF of a CR LF pair) starts
        // the next line without being looked at.
        if (i + 1 < text.size()) lineBuffer_ += text[++i];
    }
}

void BerTestSession::ParseTestLine(const std::string& rawLine) {
    // Every line after the first starts with the LF of the previous CR LF
    // pair; it is no part of what the user reads.
    const std::string line = rawLine.substr(std::min(rawLine.find_first_not_of('\n'), rawLine.size()));
    if (testCommand_ == "AT&T3") {
        if (line.find("dBm") == std::string::npos) return;
        Show(3, line);
        ui_.Invoke([&] { display_.LineShown(); });
        return;
    }
    // Only result lines carry " x "; echoes, "OK" and headings do not.
    if (line.find(" x ") == std::string::npos) return;
    testValues_.fill({});
    std::size_t pos = 0;
    for (int token = 0; token < kTestFieldCount; ++token) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        const std::size_t end = line.find_first_of(" \r", pos);
        const std::size_t stop = end == std::string::npos ? line.size() : end;
        testValues_[static_cast<std::size_t>(token)] = line.substr(pos, stop - pos);
        pos = stop;
    }
    if (!testValues_[6].empty()) testValues_[6] += " kbit";
    for (int i = 0; i < kTestFieldCount; ++i) Show(i, testValues_[static_cast<std::size_t>(i)]);
    ui_.Invoke([&] { display_.LineShown(); });
}

void BerTestSession::Show(int position, const std::string& text) {
    ui_.Invoke([&] { display_.SetField(position, text); });
}

}  // namespace qx
