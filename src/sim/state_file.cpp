#include "sim/state_file.h"

#include "sim/number_text.h"
#include "sim/sim_error.h"
#include "sim/unique_fd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace qx::sim {
namespace {

constexpr const char* kHeader = "qxsim-state 1";

std::string SRegKey(int n) { return "S" + std::to_string(n); }
std::string ProfileKey(int n) { return "&Z" + std::to_string(n); }

}  // namespace

std::string SerializeSettings(const ModuleSettings& settings) {
    std::string text = std::string(kHeader) + "\n";
    for (const LetterSetting& letter : LetterSettings()) {
        text += std::string(letter.key) + "=" + std::to_string(settings.Letter(letter.key)) + "\n";
    }
    for (int n = 0; n < kSRegisterCount; ++n) text += SRegKey(n) + "=" + std::to_string(settings.SReg(n)) + "\n";
    for (int n = 0; n < kProfileCount; ++n) text += ProfileKey(n) + "=" + settings.Profile(n) + "\n";
    return text;
}

std::optional<ModuleSettings> ParseSettings(const std::string& text, const ModelInfo& model, std::string& problem) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        problem = "the first line is not \"" + std::string(kHeader) + "\"";
        return std::nullopt;
    }
    std::map<std::string, std::string> values;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            problem = "line without '=': " + line;
            return std::nullopt;
        }
        if (!values.emplace(line.substr(0, eq), line.substr(eq + 1)).second) {
            problem = "key given twice: " + line.substr(0, eq);
            return std::nullopt;
        }
    }
    ModuleSettings settings = ModuleSettings::Factory(model);
    std::size_t used = 0;
    auto take = [&](const std::string& key) -> const std::string* {
        const auto it = values.find(key);
        if (it == values.end()) {
            problem = "missing key " + key;
            return nullptr;
        }
        ++used;
        return &it->second;
    };
    for (const LetterSetting& letter : LetterSettings()) {
        const std::string key(letter.key);
        const std::string* value = take(key);
        if (!value) return std::nullopt;
        const auto number = ParseDecimal(*value);
        if (!number || !settings.SetLetter(key, *number, model)) {
            problem = "bad value for " + key + ": " + *value;
            return std::nullopt;
        }
    }
    for (int n = 0; n < kSRegisterCount; ++n) {
        const std::string* value = take(SRegKey(n));
        if (!value) return std::nullopt;
        const auto number = ParseDecimal(*value);
        const SRegisterSpec entry = SRegister(n, model);
        if (!number || *number < entry.min || *number > entry.max) {
            problem = "bad value for " + SRegKey(n) + ": " + *value;
            return std::nullopt;
        }
        // Read-only registers are part of the state too; only their range counts.
        if (entry.writable) settings.SetSReg(n, *number, model);
    }
    for (int n = 0; n < kProfileCount; ++n) {
        const std::string* value = take(ProfileKey(n));
        if (!value) return std::nullopt;
        if (!settings.SetProfile(n, *value)) {
            problem = "bad list for " + ProfileKey(n) + ": " + *value;
            return std::nullopt;
        }
    }
    if (used != values.size()) {
        problem = "unknown keys in the file";
        return std::nullopt;
    }
    return settings;
}

std::optional<ModuleSettings> StateFile::Load(const ModelInfo& model) const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return std::nullopt;
        ThrowSystemError("reading " + path_);
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::string problem;
    auto settings = ParseSettings(content.str(), model, problem);
    if (!settings) throw SimError(path_ + " is corrupt: " + problem);
    return settings;
}

void StateFile::Save(const ModuleSettings& settings) const {
    const std::string temp = path_ + ".tmp." + std::to_string(::getpid());
    const std::string text = SerializeSettings(settings);
    {
        UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!fd.Valid()) ThrowSystemError("creating " + temp);
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd.Get(), text.data() + done, text.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                const int saved = errno;
                ::unlink(temp.c_str());
                errno = saved;
                ThrowSystemError("writing " + temp);
            }
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(fd.Get()) != 0) ThrowSystemError("syncing " + temp);
    }
    if (std::rename(temp.c_str(), path_.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        ThrowSystemError("renaming " + temp + " to " + path_);
    }
}

}  // namespace qx::sim
