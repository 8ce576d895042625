#pragma once
// "Compare with Module" and "Verify after Configure": the settings in which
// the window's configuration (or one the module history kept) and the
// module's differ, one row each, as the window shows them: what the setting
// is, the window's value, the module's value; the module's codes in each
// row's tool tip. The same comparison as qxcfg diff.
//
// Entry point for the window, once the module has been read back
// (ReadBackAndCompare, as qxcfg write --verify reads back):
//   CompareDialog::Show(this, "Compare with Module", DifferenceRows(...));
//
// Tab goes from the table to Close; Enter and Esc close the dialog.

#include <QDialog>
#include <vector>

#include "difference_rows.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace qx::gui {

inline constexpr const char* kCompareTitle = "Compare with Module";
inline constexpr const char* kVerifyTitle = "Verify after Configure";

// What the module is compared with: the window's configuration unless said
// otherwise.
struct ComparedWith {
    QString column = QStringLiteral("Window");   // the heading of its values
    QString owner = QStringLiteral("the window");  // "... between the window and the module"
};

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const QString& title, const std::vector<DifferenceRow>& rows, QWidget* parent = nullptr,
                  const ComparedWith& with = {});

    // Shows the differences modally.
    static void Show(QWidget* parent, const QString& title, const std::vector<DifferenceRow>& rows,
                     const ComparedWith& with = {});

    QTableWidget* Table() const { return table_; }
    QPushButton* CloseButton() const { return close_; }
    QString Summary() const;

protected:
    // The focus starts on Close.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* close_;
};

}  // namespace qx::gui
