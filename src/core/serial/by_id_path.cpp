#include "serial/by_id_path.h"

#include <filesystem>
#include <system_error>

namespace qx {

std::string ByIdPathOf(const std::string& device, const std::string& devRoot) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = fs::canonical(device, ec);
    if (ec) return {};
    for (const auto& entry : fs::directory_iterator(fs::path(devRoot) / "serial" / "by-id", ec)) {
        std::error_code linkError;
        if (fs::canonical(entry.path(), linkError) == target && !linkError) return entry.path().string();
    }
    return {};
}

}  // namespace qx
