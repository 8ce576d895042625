#pragma once
// qxcfg's console as the operating system presents it: the arguments as
// UTF-8 text, output of UTF-8 text byte for byte, and whether a user sits
// at a terminal (questions are put, and progress drawn, only then). Linux
// asks isatty(); Windows asks GetConsoleMode(), and takes its arguments
// from the wide command line, whatever the code page.

#include <string>
#include <vector>

namespace qx::cli {

// Called first: on Windows the console shows UTF-8, and standard output
// and error write bytes as they are (no CR added before LF), so that what
// qxcfg prints is the same bytes as on Linux; on Linux a standard stream
// the program was started without is held so that no file takes its place.
void PrepareConsole();

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

bool StdinIsTerminal();
bool StderrIsTerminal();

}  // namespace qx::cli
