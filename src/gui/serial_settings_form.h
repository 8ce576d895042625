#pragma once
// "Serial Port Setup": this computer's port, rate and character format.
// OK stores the five selections into the record it was given; Cancel
// leaves the record as it was. Under the port group a line names the device
// the selected "Com n" stands for on this computer.

#include <QDialog>

#include "serial/host_serial_settings.h"
#include "serial/port_map.h"

class QButtonGroup;
class QComboBox;
class QLabel;

namespace qx::gui {

class TSerialSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSerialSettingsForm(QWidget* parent = nullptr);

    // Remembers the record and shows its values.
    void GetSerialDetails(HostSerialSettings& settings);
    // Where each port slot leads (default: COMn = /dev/ttyUSB(n-1)).
    void ShowPortPaths(const PortMap& ports);

    // "COM1 = /dev/ttyUSB0" for the selected slot.
    QString PortPathText() const;

private:
    void BitBtn2Click();
    void ShowSelectedPortPath();
    QComboBox* AddCombo(const char* name, const QString& caption, int x, int y);

    HostSerialSettings* settings_ = nullptr;
    PortMap portMap_;
    QButtonGroup* ports_;
    QLabel* portPath_;
    QComboBox* rate_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* parity_;
};

}  // namespace qx::gui
