#include "progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "dialog_title.h"
#include "qt_text.h"

namespace qx::gui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("TConfigProgressForm"));
    setWindowTitle(QStringLiteral("Module Configuration"));
    setModal(true);
    setFixedSize(289, 95);

    auto* label = new QLabel(QStringLiteral("Progress:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 6, 100, 16);

    whatsHappening_ = new QLabel(this);
    whatsHappening_->setObjectName(QStringLiteral("WhatsHappening"));
    whatsHappening_->setAlignment(Qt::AlignCenter);
    whatsHappening_->setGeometry(8, 22, 273, 16);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setGeometry(8, 40, 273, 17);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);

    cancel_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("CancelBitBtn"));
    cancel_->setGeometry(107, 64, 75, 25);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::CancelOperation);
    FitToTitle(*this);
}

void ProgressWindow::Run(const std::function<void()>& start, std::function<void()> onCancel) {
    onCancel_ = std::move(onCancel);
    closing_ = false;
    // Runs once the modal loop below is going and the window is shown.
    QTimer::singleShot(0, this, [this, start] {
        SetPosition(0);
        if (start) start();
    });
    exec();
    onCancel_ = nullptr;
}

void ProgressWindow::SetText(const std::string& text) { whatsHappening_->setText(FromModuleText(text)); }
void ProgressWindow::SetPosition(int position) { bar_->setValue(position); }
void ProgressWindow::SetMax(int max) { bar_->setMaximum(max); }
void ProgressWindow::Step() { bar_->setValue(bar_->value() + 1); }
void ProgressWindow::Refresh() { repaint(); }

void ProgressWindow::Close() {
    closing_ = true;
    done(QDialog::Accepted);
}

QString ProgressWindow::Text() const { return whatsHappening_->text(); }

void ProgressWindow::CancelOperation() {
    whatsHappening_->setText(QStringLiteral("Cancelling Operation..."));
    if (onCancel_) onCancel_();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    CancelOperation();
}

void ProgressWindow::reject() { CancelOperation(); }

}  // namespace qx::gui
