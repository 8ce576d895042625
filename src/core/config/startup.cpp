#include "config/startup.h"

namespace qx {

void InitialiseWorkingConfig(WorkingConfig& config, EscapeCharacter& escape) {
    escape.Reset();
    config.Show_SS_Options(config.Model().s21);
    config.SetFrontGroup(OptionsGroup::Blank);
    config.SetMode(OperatingMode::None);
    config.SetDefaults();
}

}  // namespace qx
