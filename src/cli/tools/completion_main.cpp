// Writes qxcfg's bash completion at build time: the completion's logic with
// the tables of the commands' options put in (completion_script.h).
//   qxcfg_completion LOGIC OUTPUT

#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/completion_script.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qxcfg_completion LOGIC OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream logic;
    logic << in.rdbuf();
    std::ofstream out(argv[2], std::ios::binary);
    try {
        qx::cli::WriteCompletionScript(logic.str(), out);
    } catch (const std::exception& e) {
        std::cerr << "qxcfg_completion: " << e.what() << '\n';
        return 1;
    }
    out.close();
    if (!in || !out) {
        std::cerr << "qxcfg_completion: cannot read " << argv[1] << " or write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
