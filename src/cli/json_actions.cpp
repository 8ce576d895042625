#include "cli/json_actions.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/field_actions.h"
#include "cli/json_object.h"
#include "files/file_errors.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

constexpr std::size_t kMaxJsonBytes = 1 << 20;

bool TakesText(const std::string& key) {
    const auto id = FindField(key);
    return id && Spec(*id).kind == FieldKind::Number;
}

}  // namespace

void ApplyJsonActions(WorkingConfig& config, std::string_view json, const std::string& source) {
    std::vector<JsonMember> members;
    try {
        members = ParseJsonObject(json);
    } catch (const JsonError& e) {
        throw UsageError("--from-json " + source + ": " + e.what());
    }
    for (const JsonMember& member : members) {
        if (member.key.empty() || member.key.find('=') != std::string::npos)
            throw UsageError("--from-json " + source + ": \"" + member.key + "\" is not a field name");
        if (member.kind == JsonMember::Kind::String && !TakesText(member.key))
            throw UsageError("--from-json " + source + ": \"" + member.key + "\" takes a number, not a string");
        ApplyUserAction(config, member.key + "=" + member.text);
    }
}

std::string ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFileReadError("Cannot read " + path + ": " + std::strerror(errno));
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxJsonBytes) throw EFileReadError("Cannot read " + path + ": larger than 1 MiB");
    }
    if (in.bad()) throw EFileReadError("Cannot read " + path + ": " + std::strerror(errno));
    return text;
}

}  // namespace qx::cli
