#include "files/file_read_write.h"

namespace qx {

std::string TFileReadWrite::ReadLine(const std::string& path) const {
    std::string content = ReadBoundedFile(path, kMaxConfigFileSize);
    const std::size_t end = content.find_first_of("\r\n");
    if (end != std::string::npos) content.resize(end);
    return content;
}

}  // namespace qx
