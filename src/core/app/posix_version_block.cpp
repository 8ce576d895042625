#include "app/version_block.h"

#include <elf.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace qx {
namespace {

template <typename T>
bool ReadAt(std::ifstream& in, std::uint64_t offset, T& out, std::size_t count = 1) {
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(&out), static_cast<std::streamsize>(sizeof(T) * count));
    return static_cast<bool>(in);
}

std::string ReadBytes(std::ifstream& in, std::uint64_t offset, std::uint64_t size) {
    std::string bytes(size, '\0');
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    return in ? bytes : std::string{};
}

}  // namespace

std::string ReadVersionBlock(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    Elf64_Ehdr header{};
    if (!ReadAt(in, 0, header)) return {};
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_ident[EI_DATA] != ELFDATA2LSB || header.e_shentsize != sizeof(Elf64_Shdr) ||
        header.e_shstrndx >= header.e_shnum)
        return {};
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    if (!ReadAt(in, header.e_shoff, sections[0], sections.size())) return {};
    const Elf64_Shdr& names = sections[header.e_shstrndx];
    if (names.sh_size > (1u << 24)) return {};
    const std::string nameTable = ReadBytes(in, names.sh_offset, names.sh_size);
    for (const Elf64_Shdr& s : sections) {
        if (s.sh_name >= nameTable.size() || s.sh_type == SHT_NOBITS) continue;
        const char* name = nameTable.c_str() + s.sh_name;
        if (kVersionSectionName != name) continue;
        if (s.sh_size > (1u << 20)) return {};
        return ReadBytes(in, s.sh_offset, s.sh_size);
    }
    return {};
}

std::string OwnExecutablePath() {
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

}  // namespace qx
