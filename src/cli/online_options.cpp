#include "cli/online_options.h"

#include <chrono>
#include <thread>

#include "cli/cli_progress.h"
#include "cli/console.h"
#include "cli/usage_error.h"
#include "history/history_recorder.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"
#include "serial/network_port_address.h"
#include "serial/network_serial_device.h"

namespace qx::cli {

void OnlineOptions::TakePort(const std::string& p) {
    port.SelectPort(p);
    ports.push_back(p);
}

void OnlineOptions::CheckLineOptions() const {
    port.CheckLineOptions();
    for (const std::string& p : ports) port.CheckLineOptionsFor(p);
}

void OnlineOptions::RequireOnePort(std::string_view command) const {
    if (ports.size() > 1) throw UsageError(std::string(command) + " takes one --port");
}

std::vector<OnlineOptions> OnlineOptions::PerPort() const {
    std::vector<OnlineOptions> each;
    for (const std::string& p : ports) {
        OnlineOptions one = *this;
        one.ports = {p};
        one.port.SelectPort(p);
        one.log.markPorts = true;  // the modules' lines meet in one log
        each.push_back(std::move(one));
    }
    return each;
}

void OnlineOptions::ApplyTo(Workspace& workspace) const {
    workspace.host = port.Settings();
    if (escapeCode) workspace.escape.Set(*escapeCode);
}

std::unique_ptr<TCOMQX7Object> OnlineOptions::Open(CliContext& context, const HostSerialSettings& settings,
                                                   ChannelSetup setup) const {
    const PortMap ports = setup.ports;
    const std::string path = ports.PathFor(settings.PortIndex);
    // A port server gets its time to accept the connection and, for RFC 2217,
    // to agree to the option and acknowledge the line settings; Ctrl-C ends
    // the wait.
    const auto address = ParseNetworkPort(path);
    if (address) {
        const int stage = NetworkSerialDevice::kServerAnswerMs / 1000;
        const bool telnet = address->scheme == NetworkScheme::Rfc2217;
        context.waits.Begins("connecting to " + path, NetworkSerialDevice::OpenBound(*address),
                             telnet ? std::to_string(stage) + " s to connect, " + std::to_string(stage) +
                                          " s for the option"
                                    : std::string());
    }
    const WaitEndGuard connecting(address ? &context.waits : nullptr);
    setup.openStop = [] { return InterruptRequested(); };
    setup.closing = context.closing;
    auto channel = std::make_unique<TCOMQX7Object>(settings, std::move(setup));
    LogOption::LineSink echo;
    if (verbose) echo = [&context](const std::string& line) { context.ErrLine(line); };
    log.Tap(*channel, settings, ports, echo, [&context] { context.logWriteFailed = true; });
    if (context.waits.Active()) channel->SetWaitWatcher(&context.waits);
    return channel;
}

std::string OnlineOptions::PortText() const {
    return ports.empty() ? PortName(port.Settings().PortIndex) : ports.back();
}

ChannelFactory OnlineOptions::Factory(CliContext& context, Workspace& workspace) const {
    return [this, &context, &workspace](const HostSerialSettings& settings) {
        ChannelSetup setup = port.Setup(workspace.variant);
        setup.escape = workspace.escape;
        return Open(context, settings, std::move(setup));
    };
}

ChannelSetup OnlineOptions::Setup(const ModelVariant& variant) const {
    ChannelSetup setup = port.Setup(variant);
    if (escapeCode) setup.escape.Set(*escapeCode);
    return setup;
}

OperationOutcome RunModuleOperation(CliContext& context, Workspace& workspace, const OnlineOptions& options,
                                    ModuleOperation operation, ConfigCommandList commandList) {
    CliProgress progress(context.err, StderrIsTerminal());
    DirectDispatcher ui;  // the worker is the only thread at work meanwhile
    InterruptGuard interrupt;
    bool cancelled = false;
    OperationContext operationContext{workspace, ui, progress, options.Factory(context, workspace), {}};
    operationContext.history = context.history;
    if (context.history) context.history->SetBackupBeforeWrite(options.backup);
    TProgramThread thread(std::move(operationContext), operation, std::move(commandList));
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
