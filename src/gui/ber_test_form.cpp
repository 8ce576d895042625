#include "ber_test_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>

#include "dialog_title.h"
#include "qt_text.h"
#include "rssi_level.h"
#include "rssi_plot.h"

namespace qx::gui {
namespace {

constexpr int kWidth = 348;
constexpr int kHeight = 234;
constexpr int kLevelPosition = 3;

struct FieldPlace {
    const char* name;
    const char* label;
    int x;
    int y;
    int width;
};

// Top row: Test, Errors, Extra; bottom row: Level, Tot Error, Tot Miss, Tot Test.
constexpr std::array<FieldPlace, kTestFieldCount> kFields = {{
    {"edit_Test", "Test:", 8, 8, 105},
    {"edit_Error", "Errors", 121, 8, 105},
    {"edit_Extra", "Extra", 234, 8, 106},
    {"edit_Level", "Level", 8, 52, 104},  // wide enough for "RSSI -105 dBm"
    {"edit_TotErr", "Tot Error", 120, 52, 68},
    {"edit_TotMiss", "Tot Miss", 196, 52, 68},
    {"edit_TotTest", "Tot Test", 272, 52, 68},
}};

}  // namespace

TBERTestForm::TBERTestForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("TBERTestForm"));
    setWindowTitle(QStringLiteral("Receive Bit Error Rate Test"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const FieldPlace& f = kFields[i];
        auto* label = new QLabel(QString::fromLatin1(f.label), this);
        label->setGeometry(f.x, f.y, f.width, 16);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(f.name));
        edit->setReadOnly(true);
        edit->setGeometry(f.x, f.y + 16, f.width, 21);
        label->setBuddy(edit);
        fields_[i] = edit;
    }

    auto* plotLabel = new QLabel(QStringLiteral("Signal level (dBm)"), this);
    plotLabel->setGeometry(8, 96, 200, 16);
    plot_ = new RssiPlot(this);
    plot_->setGeometry(8, 112, kWidth - 16, 80);

    startStop_ = new QPushButton(QStringLiteral("Start"), this);
    startStop_->setObjectName(QStringLiteral("btn_StartStop"));
    startStop_->setGeometry(90, 201, 80, 25);
    startStop_->setDefault(true);
    connect(startStop_, &QPushButton::clicked, this, &TBERTestForm::btn_StartStopClick);

    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("btn_Close"));
    close_->setGeometry(178, 201, 80, 25);
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &TBERTestForm::reject);

    if (const QScreen* s = parent ? parent->screen() : screen())
        move(s->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void TBERTestForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Not the first read-only field: Start is what the user came for.
    startStop_->setFocus(Qt::OtherFocusReason);
}

// The session first: its polling thread may still be showing a field.
TBERTestForm::~TBERTestForm() { session_.reset(); }

void TBERTestForm::SetupTest(TCOMQX7Object& channel, int testNumber, UiDispatcher& ui, Prompter& prompter,
                             ExchangeRunner* runner) {
    session_.reset();
    session_ = std::make_unique<BerTestSession>(channel, testNumber, ui, *this, prompter);
    if (runner) session_->SetExchangeRunner(*runner);
    // A port that fails during the test ends the polling; the report and
    // the return to "Start" happen here, on this thread, once it has ended.
    session_->SetOnPollingEnded([this] {
        QMetaObject::invokeMethod(this, [this] { PollingEnded(); }, Qt::QueuedConnection);
    });
    setWindowTitle(ToQ(session_->WindowCaption()));
    FitToTitle(*this);
    SyncButtons();
}

void TBERTestForm::SetField(int position, const std::string& text) {
    if (position < 0 || position >= kTestFieldCount) return;
    fields_[static_cast<std::size_t>(position)]->setText(FromModuleText(text));
    if (position != kLevelPosition) return;
    if (const std::optional<int> level = ParseRssiLevel(text)) plot_->AddLevel(*level);
}

void TBERTestForm::btn_StartStopClick() {
    if (!session_ || busy_) return;
    {
        const QScopedValueRollback<bool> busy(busy_, true);
        // A new run draws a new curve (before Start: its replies may carry a level).
        if (session_->ButtonCaption() == "Start") plot_->Clear();
        session_->btn_StartStopClick();
    }
    SyncButtons();
}

void TBERTestForm::PollingEnded() {
    // Inside Start or Stop the session finds the failure itself.
    if (!session_ || busy_) return;
    {
        const QScopedValueRollback<bool> busy(busy_, true);
        session_->PollingEnded();
    }
    SyncButtons();
}

void TBERTestForm::reject() {
    if (busy_) return;
    if (session_) {
        const QScopedValueRollback<bool> busy(busy_, true);
        session_->StopTestAndClose();
    }
    SyncButtons();
    QDialog::reject();
}

void TBERTestForm::SyncButtons() {
    const bool idle = !session_ || session_->CloseButtonEnabled();
    startStop_->setText(session_ ? ToQ(session_->ButtonCaption()) : QStringLiteral("Start"));
    close_->setEnabled(idle);
    close_->setVisible(idle);
}

}  // namespace qx::gui
