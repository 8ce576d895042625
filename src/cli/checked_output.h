#pragma once
// Standard output as qxcfg writes it, with every failure noticed: a full
// disk (ENOSPC), a reader that went away (EPIPE), a closed descriptor
// (EBADF), a short write. A script that keeps what qxcfg printed must never
// get a cut or empty file and a success: the failure is reported on
// standard error, with the system's reason, and the command exits 2 (also
// when the module was changed all the same, which the report then says).

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>

namespace qx::cli {

// Writes through a C stream (stdout), keeping the system's reason for the
// first write that failed.
class CheckedOutputBuffer : public std::streambuf {
public:
    explicit CheckedOutputBuffer(std::FILE* file) : file_(file) {}
    // The system's reason for the first failed write; empty while none failed.
    const std::string& Failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool Failed();

    std::FILE* file_;
    std::string failure_;
};

// What the command did to the module, for a report that cannot reach
// standard output: whether it changed the module, and how it is reached now.
struct ModuleChange {
    bool changed = false;
    std::string note;  // "module now answers at ..."; empty: nothing more to say
    void Note(std::string text) {
        changed = true;
        if (note.empty()) note = std::move(text);
    }
};

// Flushes `out`. When it could not be written, says so on `err` ("ERROR:
// Cannot write to standard output: REASON", then what was changed on the
// module, on an indented line) and returns 2 in place of a success;
// otherwise returns `code`.
int ConcludeOutput(std::ostream& out, std::ostream& err, int code, const ModuleChange& change);

}  // namespace qx::cli
