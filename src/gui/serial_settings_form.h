#pragma once
// "Serial Port Setup": this computer's port, rate and character format.
// OK stores the five selections into the record it was given; Cancel
// leaves the record as it was. Under the port group the device that the
// selected "Com n" stands for on this computer can be seen and changed: any
// path may be typed, and the serial devices present are offered.

#include <QDialog>

#include "serial/host_serial_settings.h"
#include <vector>

#include "serial/port_discovery.h"
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
    // Where each port slot leads (default: COMn = /dev/ttyUSB(n-1)), and
    // the devices to offer (normally the serial devices present).
    void ShowPortPaths(const PortMap& ports, const std::vector<SerialPortInfo>& present = {});
    // The slots' devices as the user left them (taken on OK).
    const PortMap& PortPaths() const { return portMap_; }

    // "COM1 = /dev/ttyUSB0" for the selected slot.
    QString PortPathText() const;

private:
    void BitBtn2Click();
    void ShowSelectedPortPath();
    void KeepTypedPortPath();
    QComboBox* AddCombo(const char* name, const QString& caption, int x, int y);

    HostSerialSettings* settings_ = nullptr;
    PortMap portMap_;
    QButtonGroup* ports_;
    QLabel* portPath_;
    QComboBox* device_;
    int shownSlot_ = -1;
    QComboBox* rate_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* parity_;
};

}  // namespace qx::gui
