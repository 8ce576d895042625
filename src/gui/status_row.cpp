#include "status_row.h"

#include <QMenu>
#include <QMouseEvent>

#include "host_serial_menus.h"
#include "qt_text.h"

namespace qx::gui {

StatusPanel::StatusPanel(const char* name, QWidget* parent) : QLabel(parent) {
    setObjectName(QString::fromLatin1(name));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void StatusPanel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

QPoint PopupPosition(const QWidget* panel, int rise) { return panel->mapToGlobal(QPoint(0, -rise)); }

StatusRow::StatusRow(HostSerialSettings& settings, QWidget* parent) : QObject(parent), settings_(settings) {
    constexpr int kTop = 371;
    constexpr int kHeight = 19;
    port_ = new StatusPanel("StatusBar_ComPort", parent);
    port_->setGeometry(0, kTop, 64, kHeight);
    rate_ = new StatusPanel("StatusBar_BaudRate", parent);
    rate_->setGeometry(66, kTop, 68, kHeight);
    format_ = new StatusPanel("StatusBar_Other", parent);
    format_->setGeometry(136, kTop, 70, kHeight);
    statusBar1_ = new QLabel(parent);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar1_->setGeometry(209, kTop, 416, kHeight);

    BuildPortMenu(parent);
    BuildRateMenu(parent);
    BuildFormatMenu(parent);

    connect(port_, &StatusPanel::pressed, this, [this] { portMenu_->popup(PopupPosition(port_, kPortMenuRise)); });
    connect(rate_, &StatusPanel::pressed, this, [this] { rateMenu_->popup(PopupPosition(rate_, kRateMenuRise)); });
    connect(format_, &StatusPanel::pressed, this,
            [this] { formatMenu_->popup(PopupPosition(format_, kFormatMenuRise)); });
}

void StatusRow::BuildPortMenu(QWidget* parent) {
    portMenu_ = new QMenu(parent);
    portMenu_->setObjectName(QStringLiteral("Popup_ComPort"));
    for (int tag = 0; tag < static_cast<int>(kPortMenuCaptions.size()); ++tag) {
        QAction* item = portMenu_->addAction(ToQ(kPortMenuCaptions[static_cast<std::size_t>(tag)]));
        item->setObjectName(QStringLiteral("puCom%1").arg(tag + 1));
        item->setData(tag);
        // puCom1Click: one handler for all eight, told apart by the tag.
        connect(item, &QAction::triggered, this, [this, item] {
            settings_.PortIndex = static_cast<std::uint8_t>(item->data().toInt());
            DisplaySerialSettings();
        });
    }
}

void StatusRow::BuildRateMenu(QWidget* parent) {
    rateMenu_ = new QMenu(parent);
    rateMenu_->setObjectName(QStringLiteral("Popup_BaudRate"));
    rateMenu_->setToolTipsVisible(true);
    const auto addRate = [this](const ModuleRate& rate) {
        const QString caption = ToQ(rate.text);
        QAction* item = rateMenu_->addAction(caption);
        item->setObjectName(ToQ(kRateMenuNamePrefix) + caption);
        item->setEnabled(rate.hostFollows);
        for (const RateHint& hint : kRateMenuHints)
            if (hint.rate == rate.bitsPerSecond) item->setToolTip(ToQ(hint.hint));
        return item;
    };
    for (std::size_t index = 0; index < kHostRates.size(); ++index) {
        connect(addRate(kHostRates[index]), &QAction::triggered, this, [this, index] {
            settings_.BaudIndex = static_cast<std::uint8_t>(index);
            DisplaySerialSettings();
        });
    }
    // The module's rates this computer's list lacks: shown, never chosen.
    for (const ModuleRate& rate : kModuleRates)
        if (rate.hostIndex < 0) addRate(rate);
}

void StatusRow::BuildFormatMenu(QWidget* parent) {
    formatMenu_ = new QMenu(parent);
    formatMenu_->setObjectName(QStringLiteral("Popup_Other"));
    for (const FormatMenuItem& entry : kFormatMenu) {
        QAction* item = formatMenu_->addAction(ToQ(entry.caption));
        item->setObjectName(ToQ(entry.name));
        connect(item, &QAction::triggered, this, [this, format = entry.format] {
            SetHostFormat(settings_, format);
            DisplaySerialSettings();
        });
    }
}

void StatusRow::DisplaySerialSettings() {
    const SerialSettingsTexts texts = qx::DisplaySerialSettings(settings_);
    port_->setText(ToQ(texts.port));
    rate_->setText(ToQ(texts.rate));
    format_->setText(ToQ(texts.other));
}

}  // namespace qx::gui
