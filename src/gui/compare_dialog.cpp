#include "compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qx::gui {

namespace {

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(text.empty() ? QString("(empty)") : QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CompareDialog::CompareDialog(const std::vector<SettingDifference>& differences, QWidget* parent) : QDialog(parent) {
    setObjectName("CompareDialog");
    setWindowTitle("Compare with Module");
    summary_ = new QLabel(differences.empty()
                              ? QString("The module holds the window's configuration.")
                              : QString("%1 setting(s) differ between the window and the module.").arg(differences.size()),
                          this);
    summary_->setObjectName("CompareSummary");
    table_ = new QTableWidget(static_cast<int>(differences.size()), 3, this);
    table_->setObjectName("CompareTable");
    table_->setHorizontalHeaderLabels({"Setting", "Window", "Module"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const SettingDifference& d = differences[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, Cell(d.caption));
        table_->setItem(row, 1, Cell(d.first));
        table_->setItem(row, 2, Cell(d.second));
    }
    table_->setVisible(!differences.empty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(640, differences.empty() ? 120 : 420);
}

void CompareDialog::Show(QWidget* parent, const std::vector<SettingDifference>& differences) {
    CompareDialog dialog(differences, parent);
    dialog.exec();
}

QString CompareDialog::Summary() const { return summary_->text(); }

}  // namespace qx::gui
