#pragma once
// The status row: three small panels with this computer's port, rate and
// character format, each opening its own pop-up menu upward, and the text
// panel StatusBar1.

#include <QLabel>

#include "serial/host_serial_settings.h"

class QMenu;

namespace qx::gui {

// One sunken panel with centred text; any mouse button "presses" it.
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(const char* name, QWidget* parent);

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// Where a panel's pop-up menu opens: the panel's left edge, `rise` pixels
// above its top, in screen coordinates.
QPoint PopupPosition(const QWidget* panel, int rise);

class StatusRow : public QObject {
    Q_OBJECT
public:
    StatusRow(HostSerialSettings& settings, QWidget* parent);

    // The three panels show the record (DisplaySerialSettings).
    void DisplaySerialSettings();

    QLabel* TextPanel() const { return statusBar1_; }
    QMenu* PortMenu() const { return portMenu_; }
    QMenu* RateMenu() const { return rateMenu_; }
    QMenu* FormatMenu() const { return formatMenu_; }

private:
    void BuildPortMenu(QWidget* parent);
    void BuildRateMenu(QWidget* parent);
    void BuildFormatMenu(QWidget* parent);

    HostSerialSettings& settings_;
    StatusPanel* port_;
    StatusPanel* rate_;
    StatusPanel* format_;
    QLabel* statusBar1_;
    QMenu* portMenu_ = nullptr;
    QMenu* rateMenu_ = nullptr;
    QMenu* formatMenu_ = nullptr;
};

}  // namespace qx::gui
