#pragma once
// "Compare with Module": the settings in which the window's configuration
// and the module's differ, one row each: what the setting is, the window's
// value, the module's value. The same comparison as qxcfg diff.
//
// Entry point for the window, once the module has been read back
// (ReadBackAndCompare, as qxcfg write --verify reads back):
//   CompareDialog::Show(this, back.differences);

#include <QDialog>
#include <vector>

#include "config/config_difference.h"

class QLabel;
class QTableWidget;

namespace qx::gui {

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const std::vector<SettingDifference>& differences, QWidget* parent = nullptr);

    // Shows the differences modally.
    static void Show(QWidget* parent, const std::vector<SettingDifference>& differences);

    QTableWidget* Table() const { return table_; }
    QString Summary() const;

private:
    QLabel* summary_;
    QTableWidget* table_;
};

}  // namespace qx::gui
