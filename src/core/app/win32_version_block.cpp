#include "app/version_block.h"

#include <windows.h>

#include <cstdio>

#include "app/win32_text.h"

namespace qx {

namespace {

struct LanguageAndCodePage {
    WORD language;
    WORD codePage;
};

}  // namespace

// The version resource's first translation and its strings, in the block's
// form, so that one parser reads the version on every platform.
std::string ReadVersionBlock(const std::string& path) {
    const std::wstring file = WideFromUtf8(path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return {};
    std::string info(size, '\0');
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data())) return {};
    LanguageAndCodePage* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                          &length) ||
        length < sizeof(LanguageAndCodePage))
        return {};
    char code[16];
    std::snprintf(code, sizeof code, "%04X%04X", translation->language, translation->codePage);
    std::string block = "Translation=" + std::string(code) + '\0';
    for (const std::string_view key : kVersionKeys) {
        const std::string name = "StringFileInfo\\" + std::string(code) + "\\" + std::string(key);
        const std::wstring query = L"\\" + WideFromUtf8(name);
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (!::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars)) continue;
        std::wstring_view text(value, chars);
        while (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
        block += name + "=" + Utf8FromWide(text) + '\0';
    }
    return block + '\0';
}

std::string OwnExecutablePath() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return {};
    return Utf8FromWide(std::wstring_view(path, length));
}

}  // namespace qx
