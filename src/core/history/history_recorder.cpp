#include "history/history_recorder.h"

#include <chrono>

#include "files/config_file_commands.h"
#include "history/history_errors.h"
#include "history/history_location.h"

namespace qx {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string NoticeText(const std::exception& e) {
    // This build's own limit is said as it is; anything else is a failure.
    if (dynamic_cast<const EHistoryUnavailable*>(&e)) return e.what();
    return std::string("history not kept: ") + e.what();
}

bool KeepsConfiguration(HistoryKind kind) { return kind == HistoryKind::Read || kind == HistoryKind::BeforeWrite; }

}  // namespace

HistoryRecorder::HistoryRecorder(std::string program, Notice notice, std::optional<std::string> path,
                                 HistoryStoreOptions options)
    : program_(std::move(program)), notice_(std::move(notice)), path_(std::move(path)), options_(options) {}

HistoryRecorder::~HistoryRecorder() = default;

void HistoryRecorder::BeginCommand(std::string command) {
    const std::lock_guard lock(mutex_);
    command_ = std::move(command);
    failedThisCommand_ = false;
    keptDevices_.clear();
}

void HistoryRecorder::SetBackupBeforeWrite(bool on) {
    const std::lock_guard lock(mutex_);
    backupBeforeWrite_ = on;
}

bool HistoryRecorder::WantsBackup(const std::string& device) const {
    const std::lock_guard lock(mutex_);
    return backupBeforeWrite_ && !failedThisCommand_ && !keptDevices_.contains(device);
}

HistoryStore& HistoryRecorder::Store() {
    // A build without a history says so before any place is looked up.
    if (!store_)
        store_ = std::make_unique<HistoryStore>(
            path_ ? *path_ : HistoryStore::Available() ? DefaultHistoryPath() : std::string(), options_);
    return *store_;
}

std::optional<std::int64_t> HistoryRecorder::Record(HistoryEntry entry) {
    std::string failure;
    {
        const std::lock_guard lock(mutex_);
        entry.timeMs = NowMs();
        entry.program = program_;
        if (!command_.empty()) entry.command = command_;
        try {
            const std::int64_t id = Store().Record(entry);
            if (KeepsConfiguration(entry.kind)) keptDevices_.insert(entry.device);
            return id;
        } catch (const std::exception& e) {
            failedThisCommand_ = true;
            failure = NoticeText(e);
        }
    }
    TellOnce(failure);
    return std::nullopt;
}

void HistoryRecorder::NotKept(const std::string& reason) { TellOnce("history not kept: " + reason); }

void HistoryRecorder::TellOnce(const std::string& text) {
    {
        const std::lock_guard lock(mutex_);
        if (!told_.insert(text).second) return;
    }
    if (!notice_) return;
    try {
        notice_(text);
    } catch (...) {
        // Telling is a courtesy; the operation goes on whatever happens here.
    }
}

void TakeConfiguration(HistoryEntry& entry, const WorkingConfig& config) {
    entry.configuration = ConfigFileContent(config);
    entry.systemAddress = static_cast<int>(config.Value(FieldId::ed_TM_SysAdd));
    entry.unitAddress = static_cast<int>(config.Value(FieldId::ed_CM_UnitAdd));
}

}  // namespace qx
