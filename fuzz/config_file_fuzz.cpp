// libFuzzer target: any bytes as a configuration file on disk, loaded as
// the window's Open does. A load either succeeds with the file as the
// current one, or fails with no current file. What a successful load gives
// saves to a file that loads again and saves to the very same bytes.

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "operations/workspace.h"
#include "files/config_file_commands.h"
#include "support/check.h"
#include "support/silent_prompter.h"
#include "support/temp_folder.h"

namespace {

class FixedDialogs : public qx::FileDialogs {
public:
    explicit FixedDialogs(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskOpenPath() override { return path_; }
    std::optional<std::string> AskSavePath() override { return path_; }

private:
    std::string path_;
};

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteContent(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Loads `from` into a fresh main-model workspace and, when that works,
// saves it to `to`. Returns whether the load worked.
bool LoadAndSave(const std::string& from, const std::string& to) {
    qx::fuzz::SilentPrompter prompter;
    qx::Workspace ws(qx::ModelVariant::Main(), prompter, qx::FixedSystemAddress(17));
    ws.StartUp();
    const bool loaded = qx::LoadFromFile(ws, from);
    QX_FUZZ_CHECK(ws.currentFileName == (loaded ? from : std::string()));
    if (!loaded) return false;
    FixedDialogs dialogs(to);
    qx::SaveAs(ws, dialogs, true);
    QX_FUZZ_CHECK(ws.currentFileName == to);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qx::fuzz::TempFolder folder;
    if (!folder.Ready()) return 0;
    const std::string input = folder.File("input.X7R");
    const std::string first = folder.File("first.X7R");
    const std::string second = folder.File("second.X7R");
    WriteContent(input, data, size);
    if (LoadAndSave(input, first)) {
        QX_FUZZ_CHECK(LoadAndSave(first, second));
        QX_FUZZ_CHECK(Content(first) == Content(second));
    }
    return 0;
}
