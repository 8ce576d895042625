#include "app/startup.h"

namespace qx {

void InitialiseWorkingConfig(WorkingConfig& config, EscapeCharacter& escape) {
    escape.Reset();
    config.ClearLog();
    config.Show_SS_Options(config.Model().s21);
    config.ClearLog();
    config.SetFrontGroup(OptionsGroup::Blank);
    config.SetMode(OperatingMode::None);
    config.SetDefaults();
}

}  // namespace qx
