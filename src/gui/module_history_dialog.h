#pragma once
// "Module History": the configurations read from and written to modules,
// newest first (time, port, address, what happened), narrowed by port and
// by address ("17" or "17/3"), with three actions on the entry selected:
// Open (the dialog closes and the window loads it, as File > Open loads a
// file), Compare with Module and Save As... (its bytes, as kept, into a
// .X7R file). An entry that kept no configuration offers none of them.
//
// Entry point for the window:
//   ModuleHistoryDialog dialog(path, prompter, compare, this);
//   dialog.exec();
//   if (dialog.Chosen()) { /* open *dialog.Chosen() */ }

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "history/history_store.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qx::gui {

class ModuleHistoryDialog : public QDialog {
    Q_OBJECT
public:
    // Compares an entry's configuration with the connected module; `over`
    // is the window its results show over.
    using Compare = std::function<void(const std::string& configuration, std::int64_t id, QWidget* over)>;

    ModuleHistoryDialog(const std::string& path, Prompter& prompter, Compare compare, QWidget* parent = nullptr);
    ~ModuleHistoryDialog() override;

    // After Open: the configuration to load.
    const std::optional<std::string>& Chosen() const { return chosen_; }

    QTableWidget* Table() const { return table_; }
    QComboBox* PortFilter() const { return port_; }
    QLineEdit* AddressFilter() const { return address_; }
    QLabel* Status() const { return status_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* CompareButton() const { return compare_; }
    QPushButton* SaveAsButton() const { return saveAs_; }

private:
    // The entries the filters let through.
    void Refresh();
    // The buttons follow the entry selected.
    void SelectionChanged();
    // The configuration of the entry selected; none (and the reason shown) when it cannot be had.
    std::optional<std::string> SelectedConfiguration();
    void OpenSelected();
    void CompareSelected();
    void SaveSelected();

    std::string path_;
    Prompter& prompter_;
    Compare compareWithModule_;
    std::unique_ptr<HistoryStore> store_;  // null when the history cannot be opened
    std::vector<HistoryEntry> entries_;    // one per row
    std::optional<std::string> chosen_;

    QComboBox* port_;
    QLineEdit* address_;
    QTableWidget* table_;
    QLabel* status_;
    QPushButton* open_;
    QPushButton* compare_;
    QPushButton* saveAs_;
};

}  // namespace qx::gui
