#include "cli/checked_output.h"

#include <cerrno>
#include <cstring>

#include "cli/usage_error.h"

namespace qx::cli {

bool CheckedOutputBuffer::Failed() {
    if (failure_.empty()) failure_ = errno != 0 ? std::strerror(errno) : "write error";
    return false;
}

CheckedOutputBuffer::int_type CheckedOutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    errno = 0;
    if (std::fwrite(&byte, 1, 1, file_) != 1) {
        Failed();
        return traits_type::eof();
    }
    return c;
}

std::streamsize CheckedOutputBuffer::xsputn(const char* text, std::streamsize count) {
    errno = 0;
    const std::size_t written = std::fwrite(text, 1, static_cast<std::size_t>(count), file_);
    if (written != static_cast<std::size_t>(count)) Failed();
    return static_cast<std::streamsize>(written);
}

int CheckedOutputBuffer::sync() {
    errno = 0;
    if (std::fflush(file_) != 0) {
        Failed();
        return -1;
    }
    return 0;
}

int ConcludeOutput(std::ostream& out, std::ostream& err, int code, const ModuleChange& change) {
    out.flush();
    if (out.good()) return code;
    const auto* checked = dynamic_cast<const CheckedOutputBuffer*>(out.rdbuf());
    const std::string reason = checked && !checked->Failure().empty() ? checked->Failure() : "write error";
    err << "ERROR: Cannot write to standard output: " << reason << '\n';
    if (change.changed)
        err << "  The module was changed all the same" << (change.note.empty() ? "" : ": " + change.note) << ".\n";
    err.flush();
    return code == kExitOk ? kExitUsage : code;
}

}  // namespace qx::cli
