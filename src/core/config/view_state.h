#pragma once
// Presentation state that the field rules set and the window shows: which
// group and panel are in front, what is visible, enabled and coloured how.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "config/field_table.h"

namespace qx {

enum class OptionsGroup { Blank, Transparent, Controlled };  // gb_Blank, gb_TransMode, gb_ConMode

// Panels of the controlled options' "Advanced" page.
enum class AdvancedPanel { SingleConnect, AutoConnectSlave, AutoConnectMaster };  // p_CM_SC_Adv, p_CM_ACS_Adv, p_CM_ACM_Adv

enum class FieldColor { Window, ButtonFace };

// The caption of the "S Reg" page's last sub-page: its registers, with S21
// where the model shows it.
constexpr std::string_view LastRegisterPageCaption(bool s21Shown) { return s21Shown ? "S18 - S21" : "S18 - S20"; }

struct FieldPresentation {
    bool visible = true;
    bool enabled = true;
    FieldColor color = FieldColor::Window;
};

struct ViewState {
    OptionsGroup frontGroup = OptionsGroup::Blank;
    AdvancedPanel frontPanel = AdvancedPanel::SingleConnect;
    std::array<bool, 4> storedGroupVisible{true, true, true, true};  // gb_Z0 .. gb_Z3
    std::string sregLastPageCaption{LastRegisterPageCaption(true)};
    std::optional<FieldId> focusRequest;  // the field a rule gave the focus to
};

}  // namespace qx
