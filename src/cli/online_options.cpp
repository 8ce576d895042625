#include "cli/online_options.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include "cli/cli_progress.h"
#include "cli/usage_error.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"

namespace qx::cli {

namespace {
// Written by the signal handler only; the one piece of process state a
// handler may touch.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Carriage returns and line feeds of the module's replies as plain lines.
std::string PrintableLog(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += c == '\r' ? '\n' : c;
    }
    return out;
}
}  // namespace

bool OnlineOptions::Take(ArgReader& reader) {
    if (auto p = reader.TakeOption("--port")) {
        port.SelectPort(*p);
        ports.push_back(*p);
        return true;
    }
    if (port.Take(reader)) return true;
    if (auto code = reader.TakeOption("--escape-char")) {
        escapeCode = static_cast<int>(ParseIntArg(*code, 1, 255, "--escape-char"));
        return true;
    }
    if (reader.TakeFlag("--verbose")) {
        verbose = true;
        return true;
    }
    return log.Take(reader);
}

std::vector<OnlineOptions> OnlineOptions::PerPort() const {
    std::vector<OnlineOptions> each;
    for (const std::string& p : ports) {
        OnlineOptions one = *this;
        one.ports = {p};
        one.port.SelectPort(p);
        each.push_back(std::move(one));
    }
    return each;
}

void OnlineOptions::ApplyTo(Workspace& workspace) const {
    workspace.host = port.Settings();
    if (escapeCode) workspace.escape.Set(*escapeCode);
}

ChannelFactory OnlineOptions::Factory(Workspace& workspace) const {
    return [this, &workspace](const HostSerialSettings& settings) {
        ChannelSetup setup = port.Setup(workspace.variant);
        setup.escape = workspace.escape;
        auto channel = std::make_unique<TCOMQX7Object>(settings, std::move(setup));
        log.Tap(*channel);
        return channel;
    };
}

ChannelSetup OnlineOptions::Setup(const ModelVariant& variant) const {
    ChannelSetup setup = port.Setup(variant);
    if (escapeCode) setup.escape.Set(*escapeCode);
    return setup;
}

LogEcho::LogEcho(CliContext& context, Workspace& workspace, bool verbose) : workspace_(workspace) {
    if (!verbose) return;
    auto printed = std::make_shared<std::size_t>(workspace.config.View().log.size());
    token_ = workspace.config.Subscribe([&context, &workspace, printed](std::optional<FieldId> id) {
        if (id) return;
        const std::string& log = workspace.config.View().log;
        if (log.size() < *printed) *printed = 0;  // cleared
        if (log.size() == *printed) return;
        context.err << PrintableLog(log.substr(*printed)) << std::flush;
        *printed = log.size();
    });
}

LogEcho::~LogEcho() {
    if (token_) workspace_.config.Unsubscribe(token_);
}

bool InterruptRequested() { return interrupted != 0; }

std::atomic<int> InterruptGuard::installed_{0};

InterruptGuard::InterruptGuard() {
    // Guards nest (several modules at once): the outermost one installs.
    if (installed_.fetch_add(1) != 0) return;
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
}

InterruptGuard::~InterruptGuard() {
    if (installed_.fetch_sub(1) != 1) return;
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
}

OperationOutcome RunModuleOperation(CliContext& context, Workspace& workspace, const OnlineOptions& options,
                                    ModuleOperation operation, ConfigCommandList commandList) {
    CliProgress progress(context.err, ::isatty(STDERR_FILENO) == 1);
    DirectDispatcher ui;  // the worker is the only thread at work meanwhile
    LogEcho echo(context, workspace, options.verbose);
    InterruptGuard interrupt;
    bool cancelled = false;
    TProgramThread thread(OperationContext{workspace, ui, progress, options.Factory(workspace), {}}, operation,
                          std::move(commandList));
    thread.Start();
    while (!progress.Closed()) {
        if (InterruptRequested() && !cancelled) {
            cancelled = true;
            context.err << "Cancelling Operation...\n" << std::flush;
            thread.RequestTermination();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    thread.Wait();
    return thread.Outcome();
}

}  // namespace qx::cli
