#include "compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qx::gui {

namespace {

QTableWidgetItem* Cell(const QString& text, const QString& codes) {
    auto* item = new QTableWidgetItem(text.isEmpty() ? QStringLiteral("(empty)") : text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(codes);
    return item;
}

}  // namespace

CompareDialog::CompareDialog(const QString& title, const std::vector<DifferenceRow>& rows, QWidget* parent,
                             const ComparedWith& with)
    : QDialog(parent) {
    setObjectName("CompareDialog");
    setWindowTitle(title);
    summary_ = new QLabel(rows.empty() ? QString("The module holds %1's configuration.").arg(with.owner)
                                       : QString("%1 setting(s) differ between %2 and the module.")
                                             .arg(rows.size())
                                             .arg(with.owner),
                          this);
    summary_->setObjectName("CompareSummary");
    table_ = new QTableWidget(static_cast<int>(rows.size()), 3, this);
    table_->setObjectName("CompareTable");
    table_->setHorizontalHeaderLabels({"Setting", with.column, "Module"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // Tab leaves the table for the button instead of walking its cells.
    table_->setTabKeyNavigation(false);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const DifferenceRow& d = rows[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, Cell(d.setting, d.codes));
        table_->setItem(row, 1, Cell(d.window, d.codes));
        table_->setItem(row, 2, Cell(d.module, d.codes));
    }
    table_->resizeColumnToContents(1);
    table_->resizeColumnToContents(2);
    table_->setVisible(!rows.empty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close_ = buttons->button(QDialogButtonBox::Close);
    close_->setObjectName("CompareClose");
    close_->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(640, rows.empty() ? 120 : 420);
}

void CompareDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    close_->setFocus(Qt::OtherFocusReason);
}

void CompareDialog::Show(QWidget* parent, const QString& title, const std::vector<DifferenceRow>& rows,
                         const ComparedWith& with) {
    CompareDialog dialog(title, rows, parent, with);
    dialog.exec();
}

QString CompareDialog::Summary() const { return summary_->text(); }

}  // namespace qx::gui
