#include "app/workspace.h"

#include "app/startup.h"

namespace qx {

void Workspace::StartUp() {
    SetDefaultSerialSettings(host, true);
    InitialiseWorkingConfig(config, escape);
}

std::string Workspace::Caption() const {
    return currentFileName.empty() ? variant.WindowCaption : variant.WindowCaption + ": " + currentFileName;
}

}  // namespace qx
