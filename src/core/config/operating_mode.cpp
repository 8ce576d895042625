#include "config/operating_mode.h"

namespace qx {

std::optional<FieldId> ModeRadioButton(OperatingMode mode) {
    switch (mode) {
        case OperatingMode::Transparent: return FieldId::rb_TransMode;
        case OperatingMode::TransparentRepeater: return FieldId::rb_TM_Rpt;
        case OperatingMode::AutoConnectMaster: return FieldId::rb_ContMode;
        case OperatingMode::AutoConnectSlave: return FieldId::rb_CM_Slave;
        case OperatingMode::SingleConnect: return FieldId::rb_CM_Single;
        case OperatingMode::None: break;
    }
    return std::nullopt;
}

}  // namespace qx
