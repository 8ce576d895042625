// The window's additions for field work against the simulator: comparing
// the window with the module, verifying after Configure, and pointing a Com
// slot at any device in the serial dialog.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "compare_dialog.h"
#include "serial_settings_form.h"
#include "sim_window.h"
#include "suites.h"

namespace qx::test {
namespace {

using gui::MainMenuActions;

class WindowFeaturesTest : public QObject {
    Q_OBJECT

private slots:
    void compareWithModuleListsWhatDiffers() {
        SimWindow s;
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        auto seen = WhenCompareShown();
        RunCommand(s.Menu(&MainMenuActions::Comm_Compare));
        QVERIFY(seen->shown);
        // S20 differs (and the system address, random in the window).
        const auto s20 = std::find_if(seen->rows.begin(), seen->rows.end(),
                                      [](const auto& row) { return row[0].find("S20") != std::string::npos; });
        QVERIFY(s20 != seen->rows.end());
        QCOMPARE((*s20)[1], std::string("9"));
        QCOMPARE((*s20)[2], std::string("100"));
        // The window's own fields are untouched by the module's read.
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 9L);
    }

    void verifyAfterConfigureCatchesAModuleThatKeptAnOldValue() {
        SimWindow s(ModuleOnLink::Simulated, {"--fault", "ignore-sreg:20"});
        QAction* verify = s.Menu(&MainMenuActions::Comm_Verify);
        QVERIFY(verify->isCheckable());
        QVERIFY(!verify->isChecked());  // off at every start
        verify->setChecked(true);
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        auto seen = WhenCompareShown();
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure), 120000);
        QVERIFY(seen->shown);
        QCOMPARE(seen->rows.size(), std::size_t{1});
        QCOMPARE(seen->rows[0][2], std::string("100"));
    }

    // What the Configure came to decides: a failed one is not read back.
    void verifyAfterAFailedConfigureReadsNothingBack() {
        SimWindow s(ModuleOnLink::Simulated, {"--fault", "reject-xon"});
        s.Menu(&MainMenuActions::Comm_Verify)->setChecked(true);
        s.w.workspace.config.SetChoice(FieldId::Serial_Flow, 3);  // XON/XOFF
        bool compared = false;
        QTimer watch;  // a comparison would be closed at once and noted
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&compared] {
            if (auto* dialog = qobject_cast<gui::CompareDialog*>(QApplication::activeModalWidget())) {
                compared = true;
                dialog->reject();
            }
        });
        watch.start();
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure), 120000);
        QVERIFY(!compared);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{"Error programming XON/XOFF flow control. This "
                                                                "parameter is not supported by the module firmware."});
    }

    void aComSlotCanBePointedAtAnyDevice() {
        StartedWindow w;
        const std::string path = "/tmp/qx-test-device";
        WhenModalShown([&](QWidget* modal) {
            auto* device = modal->findChild<QComboBox*>(QStringLiteral("Combo_PortDevice"));
            if (device) device->setEditText(QString::fromStdString(path));
            if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("BitBtn2"))) ok->click();
        });
        RunCommand(w.form.Menu().Comm_Serial);
        QCOMPARE(w.form.Ports().PathFor(0), path);
        // Cancel keeps the map as it was.
        WhenModalShown([](QWidget* modal) {
            if (auto* device = modal->findChild<QComboBox*>(QStringLiteral("Combo_PortDevice")))
                device->setEditText(QStringLiteral("/elsewhere"));
            if (auto* cancel = modal->findChild<QPushButton*>(QStringLiteral("btn_Cancel"))) cancel->click();
        });
        RunCommand(w.form.Menu().Comm_Serial);
        QCOMPARE(w.form.Ports().PathFor(0), path);
        // Typing the default path back clears the override.
        WhenModalShown([](QWidget* modal) {
            if (auto* device = modal->findChild<QComboBox*>(QStringLiteral("Combo_PortDevice")))
                device->setEditText(QString::fromStdString(PortMap::DefaultPath(0)));
            if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("BitBtn2"))) ok->click();
        });
        RunCommand(w.form.Menu().Comm_Serial);
        QVERIFY(!w.form.Ports().IsOverridden(0));
    }
};

}  // namespace

std::unique_ptr<QObject> MakeWindowFeaturesTest() { return std::make_unique<WindowFeaturesTest>(); }

}  // namespace qx::test

#include "window_features_test.moc"
