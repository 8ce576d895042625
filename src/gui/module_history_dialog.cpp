#include "module_history_dialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <set>

#include "app/utf8_path.h"
#include "files/file_save.h"
#include "history/history_address.h"
#include "history/history_errors.h"
#include "history/history_operand.h"
#include "qt_file_dialogs.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// Who did it and how it ended, for a row's tool tip.
QString Details(const HistoryEntry& e) {
    QString text = ToQ(e.model);
    if (!e.firmware.empty()) text += QStringLiteral(" ") + FromModuleText(e.firmware);
    text += QStringLiteral("\n%1 (%2): %3").arg(ToQ(e.program), ToQ(e.command), FromModuleText(e.outcome));
    if (!e.device.empty() && e.device != e.port) text += QStringLiteral("\n") + ToQ(e.device);
    return text;
}

QPushButton* Button(QDialogButtonBox* box, const char* name, const char* caption, QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(QString::fromLatin1(caption), role);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ModuleHistoryDialog::ModuleHistoryDialog(const std::string& path, Prompter& prompter, Compare compare,
                                         QWidget* parent)
    : QDialog(parent), path_(path), prompter_(prompter), compareWithModule_(std::move(compare)) {
    setObjectName(QStringLiteral("ModuleHistoryDialog"));
    setWindowTitle(QStringLiteral("Module History"));

    port_ = new QComboBox(this);
    port_->setObjectName(QStringLiteral("HistoryPortFilter"));
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    port_->lineEdit()->setPlaceholderText(QStringLiteral("every port"));
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("HistoryAddressFilter"));
    address_->setPlaceholderText(QStringLiteral("every module (or 17, or 17/3)"));
    auto* filters = new QFormLayout;
    filters->addRow(QStringLiteral("&Port:"), port_);
    filters->addRow(QStringLiteral("&Address:"), address_);

    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("HistoryTable"));
    table_->setHorizontalHeaderLabels({"Time", "Port", "Address", "What happened"});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setTabKeyNavigation(false);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("HistoryStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    open_ = Button(buttons, "HistoryOpen", "&Open", QDialogButtonBox::ActionRole);
    compare_ = Button(buttons, "HistoryCompare", "Co&mpare with Module", QDialogButtonBox::ActionRole);
    saveAs_ = Button(buttons, "HistorySaveAs", "Save &As...", QDialogButtonBox::ActionRole);
    Button(buttons, "HistoryClose", "Close", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &ModuleHistoryDialog::OpenSelected);
    connect(compare_, &QPushButton::clicked, this, &ModuleHistoryDialog::CompareSelected);
    connect(saveAs_, &QPushButton::clicked, this, &ModuleHistoryDialog::SaveSelected);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(640, 420);

    try {
        HistoryStoreOptions options;
        options.create = false;  // looking creates nothing
        store_ = std::make_unique<HistoryStore>(path_, options);
        std::set<std::string> ports;
        for (const HistoryEntry& e : store_->List()) ports.insert(e.port);
        port_->addItem(QString());
        for (const std::string& p : ports) port_->addItem(ToQ(p));
    } catch (const EHistoryError& e) {
        std::error_code ec;
        const bool none = !std::filesystem::exists(PathFromUtf8(path_), ec);
        status_->setText(none ? QStringLiteral("No module history is kept yet (%1).").arg(ToQ(path_)) : ToQ(e.what()));
    }
    connect(port_, &QComboBox::editTextChanged, this, &ModuleHistoryDialog::Refresh);
    connect(address_, &QLineEdit::textChanged, this, &ModuleHistoryDialog::Refresh);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &ModuleHistoryDialog::SelectionChanged);
    Refresh();
}

ModuleHistoryDialog::~ModuleHistoryDialog() = default;

void ModuleHistoryDialog::Refresh() {
    table_->setRowCount(0);
    entries_.clear();
    SelectionChanged();
    if (!store_) return;
    HistoryFilter filter;
    filter.port = FromQ(port_->currentText().trimmed());
    const QString address = address_->text().trimmed();
    if (!address.isEmpty()) {
        const auto parsed = ParseHistoryAddress(FromQ(address));
        if (!parsed) {
            status_->setText(QStringLiteral("The address is a system address (17), or one with its unit address (17/3)."));
            return;
        }
        FilterByAddress(filter, *parsed);
    }
    try {
        entries_ = store_->List(filter);
    } catch (const EHistoryError& e) {
        status_->setText(ToQ(e.what()));
        return;
    }
    table_->setRowCount(static_cast<int>(entries_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const HistoryEntry& e = entries_[static_cast<std::size_t>(row)];
        const QString when = QDateTime::fromMSecsSinceEpoch(e.timeMs).toLocalTime().toString("yyyy-MM-dd hh:mm:ss");
        const QString cells[] = {when, ToQ(e.port), ToQ(HistoryAddressText(e)), ToQ(HistoryKindName(e.kind))};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* item = Cell(cells[column]);
            item->setToolTip(Details(e));
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnToContents(0);
    table_->resizeColumnToContents(3);
    const QString count = entries_.size() == 1 ? QStringLiteral("1 entry")
                                               : QStringLiteral("%1 entries").arg(entries_.size());
    status_->setText(QStringLiteral("%1 in %2").arg(count, ToQ(path_)));
    if (!entries_.empty()) table_->selectRow(0);
}

void ModuleHistoryDialog::SelectionChanged() {
    const int row = table_->currentRow();
    const bool selected = table_->selectionModel()->hasSelection() && row >= 0 &&
                          row < static_cast<int>(entries_.size());
    // Only an entry whose configuration was kept has one to act on.
    const bool kept = selected && entries_[static_cast<std::size_t>(row)].systemAddress.has_value();
    for (QPushButton* b : {open_, compare_, saveAs_}) b->setEnabled(kept);
}

std::optional<std::string> ModuleHistoryDialog::SelectedConfiguration() {
    const int row = table_->currentRow();
    if (!store_ || row < 0 || row >= static_cast<int>(entries_.size())) return std::nullopt;
    try {
        return HistoryConfiguration(*store_, entries_[static_cast<std::size_t>(row)].id);
    } catch (const EHistoryError& e) {
        Tell(prompter_, MessageKind::Error, e.what());
    }
    return std::nullopt;
}

void ModuleHistoryDialog::OpenSelected() {
    chosen_ = SelectedConfiguration();
    if (chosen_) accept();
}

void ModuleHistoryDialog::CompareSelected() {
    const int row = table_->currentRow();
    if (const auto configuration = SelectedConfiguration())
        compareWithModule_(*configuration, entries_[static_cast<std::size_t>(row)].id, this);
}

void ModuleHistoryDialog::SaveSelected() {
    const auto configuration = SelectedConfiguration();
    if (!configuration) return;
    const auto path = QtFileDialogs(this).AskSavePath();
    if (!path) return;
    try {
        SaveFileContent(*path, *configuration);
    } catch (const std::exception& e) {
        Tell(prompter_, MessageKind::Error, e.what());
    }
}

}  // namespace qx::gui
