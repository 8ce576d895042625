#pragma once
// "Serial Port Setup": this computer's port, rate and character format.
// OK stores the five selections into the record it was given; Cancel
// leaves the record as it was.

#include <QDialog>

#include "serial/host_serial_settings.h"

class QButtonGroup;
class QComboBox;

namespace qx::gui {

class TSerialSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSerialSettingsForm(QWidget* parent = nullptr);

    // Remembers the record and shows its values.
    void GetSerialDetails(HostSerialSettings& settings);

private:
    void BitBtn2Click();
    QComboBox* AddCombo(const char* name, const QString& caption, int x, int y);

    HostSerialSettings* settings_ = nullptr;
    QButtonGroup* ports_;
    QComboBox* rate_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* parity_;
};

}  // namespace qx::gui
