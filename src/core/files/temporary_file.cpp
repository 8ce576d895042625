#include "files/temporary_file.h"

#include <filesystem>
#include <system_error>

#include "app/utf8_path.h"

namespace qx {

TemporaryNames::TemporaryNames() : gen_(std::random_device{}()) {}

std::string TemporaryNames::Next(const std::string& folder, char separator) {
    constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string name = folder + separator + ".qxsave-";
    for (int i = 0; i < 8; ++i) name += kAlphabet[pick(gen_)];
    return name;
}

TemporaryFile::~TemporaryFile() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(PathFromUtf8(path_), ignored);
}

}  // namespace qx
