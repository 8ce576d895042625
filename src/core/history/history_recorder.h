#pragma once
// What keeps the module operations' entries in the history for one front
// end: the program's name, the command under way, whether a write first
// backs the module up, and the one place that turns a failure of the
// history into a notice to the user. A failure never reaches the
// operation: the entry is lost, and the user is told once (per reason)
// that history was not kept and why.
//
// Safe to use from several threads at once (several ports in one process).
// The history file is opened at the first record and kept open.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "config/working_config.h"
#include "history/history_entry.h"
#include "history/history_store.h"

namespace qx {

class HistoryRecorder {
public:
    // Told "history not kept: <why>" (or that this build keeps none); called
    // on the thread that recorded, so a window hands it on to its own.
    using Notice = std::function<void(const std::string& text)>;

    // `path`: the history file; none: DefaultHistoryPath(), looked up at the
    // first record so that an environment without a place is told like any
    // other failure.
    HistoryRecorder(std::string program, Notice notice, std::optional<std::string> path = std::nullopt,
                    HistoryStoreOptions options = {});
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    // A new command of the front end ("write", "Configure"): its entries name
    // it, and what the previous command kept no longer spares a backup.
    void BeginCommand(std::string command);

    // Whether a write first reads the module and keeps that (off until set).
    void SetBackupBeforeWrite(bool on);
    // Whether a write to the module at `device` should read it first: backups
    // are on, this command has not kept that module's configuration yet, and
    // the history has not failed during this command.
    bool WantsBackup(const std::string& device) const;

    // Keeps the entry, with the time, the program and (when the recorder has
    // one) the command filled in. Returns its id; none when it was lost.
    std::optional<std::int64_t> Record(HistoryEntry entry);
    // Tells (once per reason) that an entry could not even be made:
    // "history not kept: <reason>".
    void NotKept(const std::string& reason);

private:
    HistoryStore& Store();  // under mutex_
    // Gives the notice unless it was given already.
    void TellOnce(const std::string& text);

    const std::string program_;
    const Notice notice_;
    const std::optional<std::string> path_;
    const HistoryStoreOptions options_;

    mutable std::mutex mutex_;
    std::unique_ptr<HistoryStore> store_;
    std::string command_;
    bool backupBeforeWrite_ = false;
    bool failedThisCommand_ = false;
    std::set<std::string> keptDevices_;  // this command's reads and backups
    std::set<std::string> told_;         // the notices given
};

// The configuration's part of an entry: its .X7R bytes, system address and
// unit address.
void TakeConfiguration(HistoryEntry& entry, const WorkingConfig& config);

}  // namespace qx
