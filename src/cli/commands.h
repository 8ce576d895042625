#pragma once
// The entry point of each qxcfg command; each lives in its own cmd_*.cpp.

#include <string>
#include <vector>

namespace qx::cli {

struct CliContext;

int RunShow(CliContext& context, std::vector<std::string> args);
int RunRead(CliContext& context, std::vector<std::string> args);
int RunWrite(CliContext& context, std::vector<std::string> args);
int RunRestore(CliContext& context, std::vector<std::string> args);
int RunTxBer(CliContext& context, std::vector<std::string> args);
int RunRxBer(CliContext& context, std::vector<std::string> args);
int RunNew(CliContext& context, std::vector<std::string> args);
int RunSet(CliContext& context, std::vector<std::string> args);
int RunCommands(CliContext& context, std::vector<std::string> args);
int RunParseListing(CliContext& context, std::vector<std::string> args);
int RunIdentify(CliContext& context, std::vector<std::string> args);
int RunConsole(CliContext& context, std::vector<std::string> args);
int RunFind(CliContext& context, std::vector<std::string> args);
int RunDiff(CliContext& context, std::vector<std::string> args);
int RunPorts(CliContext& context, std::vector<std::string> args);
int RunFields(CliContext& context, std::vector<std::string> args);

}  // namespace qx::cli
