#include "cli/cli_history.h"

#include "history/history_location.h"

namespace qx::cli {

std::string HistoryFilePath(const GlobalOptions& global) {
    if (global.historyFile) return *global.historyFile;
    // A build without a history has no place to look up; opening says why.
    return HistoryStore::Available() ? DefaultHistoryPath() : std::string();
}

std::unique_ptr<HistoryRecorder> RunRecorder(const GlobalOptions& global,
                                             std::function<void(const std::string& note)> say) {
    if (global.noHistory) return nullptr;
    // The default place is looked up at the first record, so that an
    // environment without one is told as any other failure of the history.
    auto recorder = std::make_unique<HistoryRecorder>("qxcfg", std::move(say), global.historyFile);
    recorder->SetBackupBeforeWrite(true);
    return recorder;
}

std::unique_ptr<HistoryStore> OpenHistory(const GlobalOptions& global) {
    HistoryStoreOptions options;
    options.create = false;
    return std::make_unique<HistoryStore>(HistoryFilePath(global), options);
}

}  // namespace qx::cli
