#include "serial_settings_form.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "dialog_title.h"
#include "host_serial_menus.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

constexpr int kMargin = 8;
constexpr int kGap = 15;           // between the port group and the right column
constexpr int kColumnWidth = 129;  // the right column, and the group at least

template <std::size_t N>
void AddItems(QComboBox* box, const std::array<std::string_view, N>& texts) {
    for (std::string_view t : texts) box->addItem(ToQ(t));
}

}  // namespace

TSerialSettingsForm::TSerialSettingsForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("TSerialSettingsForm"));
    setWindowTitle(QStringLiteral("Serial Port Setup"));
    auto* portBox = new QGroupBox(QStringLiteral("Com Port"), this);
    portBox->setObjectName(QStringLiteral("rg_ComPort"));
    auto* grid = new QGridLayout(portBox);
    grid->setContentsMargins(8, 4, 4, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    ports_ = new QButtonGroup(portBox);
    for (int i = 0; i < static_cast<int>(kPortTexts.size()); ++i) {
        auto* button = new QRadioButton(ToQ(kPortTexts[static_cast<std::size_t>(i)]), portBox);
        button->setObjectName(QStringLiteral("rg_ComPort_%1").arg(i));
        ports_->addButton(button, i);
        // Two columns, filled top to bottom.
        grid->addWidget(button, i % 4, i / 4);
    }
    // The group is as wide as its two columns need with the font in use
    // (never narrower than its design), and the rest of the dialog keeps
    // its distance from it.
    const int groupWidth = std::max(kColumnWidth, portBox->sizeHint().width());
    const int right = kMargin + groupWidth + kGap;
    const int width = right + kColumnWidth + kMargin;
    setFixedSize(width, 245);
    portBox->setGeometry(kMargin, 8, groupWidth, 145);

    // The slot's device on this computer, below the group.
    portPath_ = new QLabel(this);
    portPath_->setObjectName(QStringLiteral("lbl_PortPath"));
    portPath_->setGeometry(kMargin, 156, width - 2 * kMargin, 16);
    portPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* deviceLabel = new QLabel(QStringLiteral("Device:"), this);
    deviceLabel->setGeometry(kMargin, 178, 44, 20);
    device_ = new QComboBox(this);
    device_->setObjectName(QStringLiteral("Combo_PortDevice"));
    device_->setEditable(true);
    device_->setInsertPolicy(QComboBox::NoInsert);
    device_->setGeometry(52, 178, width - 52 - kMargin, 20);
    device_->setToolTip(QStringLiteral("A serial device, or a port server as rfc2217://HOST:PORT or socket://HOST:PORT"));
    deviceLabel->setBuddy(device_);
    connect(ports_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked) return;
        KeepTypedPortPath();
        ShowSelectedPortPath();
    });

    rate_ = AddCombo("Combo_DataRate", QStringLiteral("Data Rate"), right, 8);
    for (const ModuleRate& rate : kHostRates) rate_->addItem(ToQ(rate.text));
    dataBits_ = AddCombo("Combo_DataBits", QStringLiteral("Data Bits"), right, 44);
    AddItems(dataBits_, kDataBitsTexts);
    stopBits_ = AddCombo("Combo_StopBits", QStringLiteral("Stop Bits"), right, 80);
    AddItems(stopBits_, kStopBitsTexts);
    parity_ = AddCombo("Combo_Parity", QStringLiteral("Parity"), right, 116);
    AddItems(parity_, kDialogParityTexts);

    // OK and Cancel side by side in the middle.
    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setGeometry(width / 2 - 88, 208, 81, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TSerialSettingsForm::BitBtn2Click);

    auto* cancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btn_Cancel"));
    cancel->setGeometry(width / 2 + 8, 208, 81, 27);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitToTitle(*this);
}

QComboBox* TSerialSettingsForm::AddCombo(const char* name, const QString& caption, int x, int y) {
    auto* label = new QLabel(caption, this);
    label->setGeometry(x, y, kColumnWidth, 14);
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y + 14, kColumnWidth, 20);
    label->setBuddy(box);
    return box;
}

void TSerialSettingsForm::GetSerialDetails(HostSerialSettings& settings) {
    settings_ = &settings;
    if (QAbstractButton* b = ports_->button(settings.PortIndex)) b->setChecked(true);
    rate_->setCurrentIndex(settings.BaudIndex);
    dataBits_->setCurrentIndex(settings.DataBits);
    stopBits_->setCurrentIndex(settings.StopBits);
    parity_->setCurrentIndex(settings.Parity);
}

void TSerialSettingsForm::ShowPortPaths(const PortMap& ports, const std::vector<SerialPortInfo>& present) {
    portMap_ = ports;
    device_->clear();
    for (const SerialPortInfo& info : present) {
        device_->addItem(ToQ(info.path));
        const std::string about = info.description.empty() ? info.driver : info.description;
        if (!about.empty()) device_->setItemData(device_->count() - 1, ToQ(about), Qt::ToolTipRole);
    }
    shownSlot_ = -1;
    for (int i = 0; i < kPortCount; ++i) {
        if (QAbstractButton* b = ports_->button(i))
            b->setToolTip(ToQ(portMap_.PathFor(static_cast<std::uint8_t>(i))));
    }
    ShowSelectedPortPath();
}

QString TSerialSettingsForm::PortPathText() const { return portPath_->text(); }

void TSerialSettingsForm::ShowSelectedPortPath() {
    const int slot = ports_->checkedId();
    if (slot < 0) {
        portPath_->clear();
        return;
    }
    const auto index = static_cast<std::uint8_t>(slot);
    portPath_->setText(ToQ(PortName(index) + " = " + portMap_.PathFor(index)));
    device_->setEditText(ToQ(portMap_.PathFor(index)));
    shownSlot_ = slot;
}

void TSerialSettingsForm::KeepTypedPortPath() {
    if (shownSlot_ < 0) return;
    const auto index = static_cast<std::uint8_t>(shownSlot_);
    const std::string typed = device_->currentText().trimmed().toStdString();
    if (typed.empty() || typed == PortMap::DefaultPath(index))
        portMap_.ClearOverride(index);
    else if (typed != portMap_.PathFor(index))
        portMap_.Override(index, typed);
    if (QAbstractButton* b = ports_->button(shownSlot_)) b->setToolTip(ToQ(portMap_.PathFor(index)));
}

void TSerialSettingsForm::BitBtn2Click() {
    KeepTypedPortPath();
    if (settings_) {
        const auto index = [](int i) { return static_cast<std::uint8_t>(i < 0 ? 0 : i); };
        settings_->PortIndex = index(ports_->checkedId());
        settings_->BaudIndex = index(rate_->currentIndex());
        settings_->DataBits = index(dataBits_->currentIndex());
        settings_->StopBits = index(stopBits_->currentIndex());
        settings_->Parity = index(parity_->currentIndex());
    }
    accept();
}

}  // namespace qx::gui
