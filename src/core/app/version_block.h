#pragma once
// The executable's version information (company, description, file
// version, product name...). The build writes it into a section of its own,
// ".qx_version", as NUL-ended "key=value" entries closed by an empty entry:
// first "Translation=LLLLCCCC" (language and code page, 4 upper-case hex
// digits each), then "StringFileInfo\LLLLCCCC\<key>=<value>" per key.
// These functions read it back from the file, without running it.

#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr std::string_view kVersionSectionName = ".qx_version";

// The keys, in the order they are read.
inline constexpr std::string_view kVersionKeys[] = {"CompanyName",      "FileDescription", "FileVersion",
                                                    "InternalName",     "LegalCopyright",  "OriginalFilename",
                                                    "ProductName",      "ProductVersion"};

// Two parallel lists: the keys found with a non-empty value, and the values.
struct VersionStrings {
    std::vector<std::string> names;
    std::vector<std::string> values;
};

// The raw block of an ELF file's ".qx_version" section; empty when the file
// cannot be read, is not a 64-bit little-endian ELF file or has no block.
// On Windows the program carries its version as a version resource instead
// (VERSIONINFO, read with GetFileVersionInfoW), and the block is made from
// the resource's string table in the same form.
std::string ReadVersionBlock(const std::string& path);

// The strings of a block. No translation entry: nothing. Keys are read in
// order; the first key that is missing ends the reading.
VersionStrings ParseVersionBlock(std::string_view block);

// ParseVersionBlock(ReadVersionBlock(path)).
VersionStrings ReadVersionStrings(const std::string& path);

// The value stored for `key`, compared without regard to letter case;
// empty when the key is absent.
std::string FindVersionString(const VersionStrings& strings, std::string_view key);

struct VersionText {
    std::string majorMinor;  // "1.61" for 1.61.0.27
    std::string build;       // "27"
};

// The "FileVersion" value split into major.minor and the build number.
VersionText SplitFileVersion(std::string_view fileVersion);

// SplitFileVersion of the "FileVersion" read from the executable at `path`.
VersionText GetVersionText(const std::string& executablePath);

// The file of the running program (/proc/self/exe, GetModuleFileNameW);
// empty when unknown.
std::string OwnExecutablePath();

// What --version prints: "NAME 1.61 (build 27)", the version the About box
// shows with the build number; "NAME version unknown" without a block.
std::string VersionBanner(std::string_view programName, const VersionText& version);

// VersionBanner of the running program's own version block.
std::string OwnVersionBanner(std::string_view programName);

}  // namespace qx
