#include "files/file_dialogs.h"

#include "files/config_file_format.h"

namespace qx {

std::string WithDefaultExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string result(path);
    if (!name.empty() && name.find('.') == std::string_view::npos) result += kConfigFileExtension;
    return result;
}

}  // namespace qx
