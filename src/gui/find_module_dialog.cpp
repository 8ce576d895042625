#include "find_module_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx::gui {

namespace {
QString Text(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

FindModuleDialog::FindModuleDialog(const HostSerialSettings& current, ChannelFactory open, QWidget* parent,
                                   FindTimings timings)
    : QDialog(parent), current_(current), open_(std::move(open)), timings_(timings) {
    setObjectName("FindModuleDialog");
    setWindowTitle("Find Module");
    status_ = new QLabel("Looking for the module...", this);
    status_->setObjectName("FindStatus");
    status_->setWordWrap(true);
    status_->setMinimumWidth(360);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("FindProgress");
    bar_->setRange(0, static_cast<int>(FindOrder(current_).size()));
    bar_->setValue(0);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons_->setObjectName("FindButtons");
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FindModuleDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(bar_);
    layout->addWidget(buttons_);
}

FindModuleDialog::~FindModuleDialog() {
    cancel_ = true;
    if (scan_.joinable()) scan_.join();  // before the widgets it reports to go
}

std::optional<HostSerialSettings> FindModuleDialog::Run(QWidget* parent, const HostSerialSettings& current,
                                                        ChannelFactory open) {
    FindModuleDialog dialog(current, std::move(open), parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.Result().Found()) return std::nullopt;
    return dialog.Result().settings;
}

QString FindModuleDialog::StatusText() const { return status_->text(); }

void FindModuleDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!scan_.joinable() && !finished_) Start();
}

// Cancel, Esc and the close box stop a running scan; the dialog stays to
// show that it stopped. Once the scan has ended they close it.
void FindModuleDialog::reject() {
    if (finished_) {
        QDialog::reject();
        return;
    }
    cancel_ = true;
    status_->setText("Cancelling...");
    buttons_->setEnabled(false);
}

void FindModuleDialog::Start() {
    scan_ = std::jthread([this] {
        FindCallbacks callbacks;
        callbacks.trying = [this](const FindAttempt& attempt) {
            QMetaObject::invokeMethod(this, [this, attempt] { ShowAttempt(attempt); }, Qt::QueuedConnection);
        };
        callbacks.cancelled = [this] { return cancel_.load(); };
        QString error;
        // Replaced by the scan's result; kept when the port cannot be opened.
        FindResult result{.outcome = OperationOutcome::Failure(ReportKind::R3, {}, ErrorClass::Other)};
        try {
            result = FindModule(current_, open_, callbacks, timings_);
        } catch (const std::exception& e) {
            error = Text(e.what());  // the port could not be opened
        }
        QMetaObject::invokeMethod(this, [this, result, error] { ShowEnd(result, error); }, Qt::QueuedConnection);
    });
}

void FindModuleDialog::ShowAttempt(const FindAttempt& attempt) {
    if (cancel_) return;
    status_->setText(QString("Trying %1 (%2 of %3)...")
                         .arg(Text(SettingsText(attempt.settings)))
                         .arg(attempt.number)
                         .arg(attempt.count));
    bar_->setValue(static_cast<int>(attempt.number - 1));
}

void FindModuleDialog::ShowEnd(const FindResult& result, const QString& error) {
    result_ = result;
    finished_ = true;
    buttons_->setEnabled(true);
    bar_->setValue(bar_->maximum());
    if (!error.isEmpty()) {
        status_->setText(error);
        buttons_->setStandardButtons(QDialogButtonBox::Close);
    } else if (result.Found()) {
        const SerialSettingsTexts texts = DisplaySerialSettings(result.settings);
        status_->setText(QString("Found at %1 %2:\n%3\n\nUse these settings?")
                             .arg(Text(texts.rate), Text(texts.other), Text(result.identification)));
        buttons_->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    } else if (result.outcome.IsCancelled()) {
        status_->setText("Cancelled.");
        buttons_->setStandardButtons(QDialogButtonBox::Close);
    } else {
        status_->setText("No module answered at any serial rate or format.");
        buttons_->setStandardButtons(QDialogButtonBox::Close);
    }
    // The answer the end asks for is one key away: Enter takes Yes (or
    // Close), and the focus sits on it.
    auto* answer = qobject_cast<QPushButton*>(buttons_->buttons().value(0));
    if (result.Found() && error.isEmpty()) answer = buttons_->button(QDialogButtonBox::Yes);
    if (answer) {
        answer->setDefault(true);
        answer->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace qx::gui
