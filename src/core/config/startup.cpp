#include "config/startup.h"

namespace qx {

void InitialiseWorkingConfig(WorkingConfig& config, EscapeCharacter& escape) {
    escape.Reset();
    config.StartUp();
}

}  // namespace qx
