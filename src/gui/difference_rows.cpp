#include "difference_rows.h"

#include <QStringList>

#include "config/command_slots.h"
#include "config/setting_keys.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

QString Caption(std::string_view caption) { return ToQ(caption); }

// A number as its field shows it, with the setting's unit where the
// field's caption does not carry one.
QString NumberShown(const WorkingConfig& c, FieldId f) {
    QString text = QString::number(c.Value(f));
    const std::string_view unit = SettingOf(f).unit;
    if (!unit.empty() && Spec(f).caption.find('(') == std::string_view::npos) text += QLatin1Char(' ') + ToQ(unit);
    return text;
}

QString Shown(const WorkingConfig& c, FieldId f) {
    switch (Spec(f).kind) {
        case FieldKind::Flag:
        case FieldKind::Radio: return c.Checked(f) ? QStringLiteral("ticked") : QStringLiteral("not ticked");
        case FieldKind::Choice: {
            const WorkingConfig::FieldState& field = c.Field(f);
            if (field.choice < 0 || field.choice >= static_cast<int>(field.items.size())) return QStringLiteral("(none)");
            return ToQ(field.items[static_cast<std::size_t>(field.choice)]);
        }
        case FieldKind::Number: break;
    }
    return NumberShown(c, f);
}

// The caption of the selected mode's radio button.
QString ModeShown(const WorkingConfig& c) {
    const std::optional<FieldId> button = ModeRadioButton(c.Mode());
    return button ? Caption(Spec(*button).caption) : QStringLiteral("(none)");
}

// "12 (repeaters 5, 7)", "none".
QString DestinationShown(const WorkingConfig& c, FieldId dest) {
    QStringList repeaters;
    for (std::size_t r = 1; r <= kRepeatersPerDestination; ++r) {
        const long value = c.Value(static_cast<FieldId>(Index(dest) + r));
        if (value == 0) break;
        repeaters << QString::number(value);
    }
    const long address = c.Value(dest);
    if (address == 0 && repeaters.isEmpty()) return QStringLiteral("none");
    const QString shown = QString::number(address);
    return repeaters.isEmpty() ? shown : shown + QStringLiteral(" (repeaters %1)").arg(repeaters.join(", "));
}

// The lines each side writes: "window AT&L2, module AT&L0".
QString Codes(const SettingDifference& d) {
    const QString command = ToQ(Slot(d.slot).command);
    return QStringLiteral("window %1%2, module %1%3").arg(command, ToQ(d.first), ToQ(d.second));
}

class Rows {
public:
    Rows(const WorkingConfig& window, const WorkingConfig& module) : window_(window), module_(module) {}

    void Add(const SettingDifference& d) {
        const std::size_t before = rows_.size();
        const bool mode = AddShown(d);
        // Fields that show alike but write differently: the codes say how.
        if (rows_.size() == before && !mode)
            Push(Caption(Slot(d.slot).caption), ToQ(d.first), ToQ(d.second), Codes(d));
    }

    std::vector<DifferenceRow> Take() { return std::move(rows_); }

private:
    // Adds the rows of one difference; true when it joined the mode's row.
    bool AddShown(const SettingDifference& d) {
        const CommandSlot& slot = Slot(d.slot);
        const QString codes = Codes(d);
        switch (slot.rule) {
            case ValueRule::OnlineMode:
            case ValueRule::OperatingMode:
                if (window_.Mode() != module_.Mode()) return AddMode(codes);
                AddField(Caption(Spec(slot.Field()).caption), slot.Field(), codes);
                break;
            case ValueRule::SerialFormat:
                for (std::size_t f = 0; f < slot.fieldCount; ++f)
                    AddField(Caption(Spec(slot.fields[f]).caption), slot.fields[f], codes);
                break;
            case ValueRule::Destination:
                Push(Caption(slot.caption), DestinationShown(window_, slot.Field()),
                     DestinationShown(module_, slot.Field()), codes);
                break;
            case ValueRule::SystemAddress:
            case ValueRule::UnitAddress:
                // The number the mode's page shows is the one written.
                Push(Caption(slot.caption), ToQ(d.first), ToQ(d.second), codes);
                break;
            case ValueRule::Choice:
            case ValueRule::FlowControl: AddField(Caption(slot.caption), slot.Field(), codes); break;
            case ValueRule::Flag:
            case ValueRule::InvertedFlag:
            case ValueRule::Number: AddField(Caption(Spec(slot.Field()).caption), slot.Field(), codes); break;
        }
        return false;
    }

    void AddField(const QString& setting, FieldId f, const QString& codes) {
        const QString shownWindow = Shown(window_, f);
        const QString shownModule = Shown(module_, f);
        if (shownWindow != shownModule) Push(setting, shownWindow, shownModule, codes);
    }

    // The mode's two slots give one row.
    bool AddMode(const QString& codes) {
        for (DifferenceRow& row : rows_) {
            if (row.setting != kModeSetting) continue;
            row.codes += QLatin1Char('\n') + codes;
            return true;
        }
        Push(kModeSetting, ModeShown(window_), ModeShown(module_), codes);
        return true;
    }

    void Push(const QString& setting, const QString& window, const QString& module, const QString& codes) {
        rows_.push_back({setting, window, module, codes});
    }

    inline static const QString kModeSetting = QStringLiteral("Operating Mode");
    const WorkingConfig& window_;
    const WorkingConfig& module_;
    std::vector<DifferenceRow> rows_;
};

}  // namespace

std::vector<DifferenceRow> DifferenceRows(const std::vector<SettingDifference>& differences,
                                          const WorkingConfig& window, const WorkingConfig& module) {
    Rows rows(window, module);
    for (const SettingDifference& d : differences) rows.Add(d);
    return rows.Take();
}

}  // namespace qx::gui
