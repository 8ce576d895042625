#include "app/version_block.h"

#include <algorithm>
#include <cctype>

namespace qx {
namespace {

// Entry "prefix...=value" of the block, if present.
bool FindEntry(std::string_view block, std::string_view key, std::string& value) {
    std::size_t pos = 0;
    while (pos < block.size()) {
        const std::size_t end = std::min(block.find('\0', pos), block.size());
        const std::string_view entry = block.substr(pos, end - pos);
        if (entry.empty()) return false;  // end of the block
        if (entry.size() > key.size() && entry.substr(0, key.size()) == key && entry[key.size()] == '=') {
            value = std::string(entry.substr(key.size() + 1));
            return true;
        }
        pos = end + 1;
    }
    return false;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

VersionStrings ParseVersionBlock(std::string_view block) {
    VersionStrings out;
    std::string translation;
    if (!FindEntry(block, "Translation", translation) || translation.empty()) return out;
    const std::string prefix = "StringFileInfo\\" + translation + "\\";
    for (std::string_view key : kVersionKeys) {
        std::string value;
        if (!FindEntry(block, prefix + std::string(key), value)) break;
        if (value.empty()) continue;
        out.names.emplace_back(key);
        out.values.push_back(std::move(value));
    }
    return out;
}

VersionStrings ReadVersionStrings(const std::string& path) { return ParseVersionBlock(ReadVersionBlock(path)); }

std::string FindVersionString(const VersionStrings& strings, std::string_view key) {
    for (std::size_t i = 0; i < strings.names.size(); ++i)
        if (EqualNoCase(strings.names[i], key)) return strings.values[i];
    return {};
}

VersionText SplitFileVersion(std::string_view v) {
    if (v.empty()) return {};
    VersionText text;
    const std::size_t first = v.find('.');
    if (first == std::string_view::npos) return {std::string(v) + ".", ""};
    const std::size_t second = v.find('.', first + 1);
    text.majorMinor = std::string(v.substr(0, first)) + "." + std::string(v.substr(first + 1, second - first - 1));
    if (second == std::string_view::npos) return text;
    const std::string_view rest = v.substr(second + 1);
    const std::size_t third = rest.find('.');
    if (third != std::string_view::npos) text.build = std::string(rest.substr(third + 1));
    return text;
}

VersionText GetVersionText(const std::string& executablePath) {
    return SplitFileVersion(FindVersionString(ReadVersionStrings(executablePath), "FileVersion"));
}

std::string VersionBanner(std::string_view programName, const VersionText& version) {
    std::string banner(programName);
    if (version.majorMinor.empty()) return banner + " version unknown";
    banner += " " + version.majorMinor;
    if (!version.build.empty()) banner += " (build " + version.build + ")";
    return banner;
}

std::string OwnVersionBanner(std::string_view programName) {
    return VersionBanner(programName, GetVersionText(OwnExecutablePath()));
}

}  // namespace qx
