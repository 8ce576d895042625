#include "operations/workspace.h"

#include "config/startup.h"
#include "operations/host_follows_module.h"

namespace qx {

Workspace::Workspace(ModelVariant v, Prompter& prompter, SystemAddressSource systemAddress)
    : ConfigDocument(v.Family, prompter, std::move(systemAddress)), variant(std::move(v)) {
    config.OnDefaults([this] {
        if (keepStatusAndLog_) return;
        SetStatusText({});
        ClearLog();
    });
}

void Workspace::StartUp() {
    SetDefaultSerialSettings(host, true);
    ClearLog();
    InitialiseWorkingConfig(config, escape);
}

void Workspace::DefaultsForReadout() {
    const long s21 = config.Value(FieldId::sreg_21);
    {
        // Cleared on every way out: a rule's question may throw.
        struct Keeping {
            bool& flag;
            ~Keeping() { flag = false; }
        } keeping{keepStatusAndLog_ = true};
        config.SetDefaults();
    }
    config.SetNumber(FieldId::sreg_21, s21);
}

std::string Workspace::Caption() const {
    return currentFileName.empty() ? variant.WindowCaption : variant.WindowCaption + ": " + currentFileName;
}

void Workspace::FileLoaded() { UpdateSerialParams(host, config); }

void Workspace::SetStatusText(std::string text) {
    if (statusText_ == text) return;
    statusText_ = std::move(text);
    Notify();
}

void Workspace::AppendLog(const std::string& text) {
    log_ += text;
    Notify();
}

void Workspace::ClearLog() {
    if (log_.empty()) return;
    log_.clear();
    Notify();
}

int Workspace::Subscribe(std::function<void()> listener) {
    listeners_.emplace_back(nextListenerToken_, std::move(listener));
    return nextListenerToken_++;
}

void Workspace::Unsubscribe(int token) {
    std::erase_if(listeners_, [token](const auto& l) { return l.first == token; });
}

void Workspace::Notify() {
    // A copy, so that a listener may unsubscribe while being told.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners) listener();
}

}  // namespace qx
