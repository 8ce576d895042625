// The widgets follow the working configuration and forward the user's
// actions: exit rules on leaving a number, the focus rule, picks and
// clicks, and program changes that must not re-run pick rules.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "gui_fixture.h"
#include "suites.h"
#include "support/config_fixture.h"

namespace qx::test {
namespace {

int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

const std::string kRateWarning =
    "The selected Baud Rate is not supported by this computer.\r\nOnce configured with this value, this computer "
    "will be unable to communicate with the module.";

class MainFormBindingTest : public QObject {
    Q_OBJECT

private slots:
    void typingBeyondTheRangeIsAcceptedUntilLeft() {
        StartedWindow w;
        auto* pack = w.Find<QLineEdit>("Radio_PackSize");
        TypeInto(pack, "600");
        QCOMPARE(pack->text(), QStringLiteral("600"));
        QCOMPARE(w.workspace.config.Field(FieldId::Radio_PackSize).text, std::string("600"));
        QVERIFY(w.prompter.shown.empty());
        // Leaving: the pair differs, so the value is copied and the threshold
        // question asked; both end clamped at 530.
        w.Find("Radio_TxHold")->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE_WITH_TIMEOUT(pack->text(), QStringLiteral("530"), 10000);
        QCOMPARE(w.Find<QLineEdit>("sreg_14")->text(), QStringLiteral("530"));
        QCOMPARE(Count(w.prompter.Texts(), kThresholdQuestion), 1);
    }

    void leavingWithTheSameValueAsksNothing() {
        StartedWindow w;
        auto* sreg14 = w.Find<QLineEdit>("sreg_14");
        w.Find<QTabWidget>("Page_Settings")->setCurrentIndex(3);
        w.Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
        TypeInto(sreg14, "530");
        w.Find("sreg_16")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(w.Find("sreg_16")->hasFocus(), 10000);
        QVERIFY(w.prompter.shown.empty());
    }

    void decimalTextStaysAsTypedAndReadsAsMinimum() {
        StartedWindow w;
        auto* hold = w.Find<QLineEdit>("Radio_TxHold");
        TypeInto(hold, "1.5");
        w.Find("Radio_RxHold")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(w.Find("Radio_RxHold")->hasFocus(), 10000);
        QCOMPARE(hold->text(), QStringLiteral("1.5"));
        QCOMPARE(w.workspace.config.Value(FieldId::Radio_TxHold), 0L);
    }

    void toolbarSaveLeavesTheFieldBeingEdited() {
        StartedWindow w;
        TypeInto(w.Find("Radio_PackSize"), "600");
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Save"), Qt::LeftButton);
        QCOMPARE(w.files->calls, std::vector<std::string>{"Save"});
        QCOMPARE(w.files->packSizeAtCall, std::vector<std::string>{"530"});
        QCOMPARE(Count(w.prompter.Texts(), kThresholdQuestion), 1);
        // The field's exit rule ran; the focus is back in it.
        QTRY_VERIFY(w.Find("Radio_PackSize")->hasFocus());
    }

    // A press on a button moves no focus, so no exit rule can open a box
    // between the press and the release that makes the click.
    void aPressOnAToolbarButtonLeavesTheFieldBeingEdited() {
        StartedWindow w;
        for (QToolButton* button : w.form.ToolBar()->findChildren<QToolButton*>()) {
            if (button->objectName().isEmpty()) continue;  // the toolbar's own extension button
            TypeInto(w.Find("Radio_PackSize"), "600");
            QTest::mousePress(button, Qt::LeftButton);
            QVERIFY2(w.Find("Radio_PackSize")->hasFocus(), qPrintable(button->objectName()));
            QVERIFY2(w.prompter.shown.empty(), qPrintable(button->objectName()));
            button->setDown(false);  // no release: the button's command stays unrun
        }
    }

    void menuSaveSavesWhatTheFieldHolds() {
        StartedWindow w;
        TypeInto(w.Find("Radio_PackSize"), "600");
        w.form.Menu().File_Save->trigger();
        QCOMPARE(w.files->packSizeAtCall, std::vector<std::string>{"600"});
        QVERIFY(w.prompter.shown.empty());
        QVERIFY(w.Find("Radio_PackSize")->hasFocus());
    }

    void readAndConfigureLeaveTheFieldBeingEdited() {
        StartedWindow w;
        TypeInto(w.Find("Radio_PackSize"), "600");
        w.form.Menu().Comm_Read->trigger();
        TypeInto(w.Find("Radio_PackSize"), "10");
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Program"), Qt::LeftButton);
        QCOMPARE(w.module->calls, (std::vector<std::string>{"Read", "Configure"}));
        QCOMPARE(w.module->packSizeAtCall, (std::vector<std::string>{"530", "20"}));
    }

    void modeButtonsBringTheirGroupToTheFront() {
        StartedWindow w;
        auto* panel = w.Find<QStackedWidget>("Panel1");
        auto* advanced = w.Find("p_CM_ACM_Adv")->parentWidget();
        auto* stored = w.Find<QTabWidget>("PageControl3");

        QTest::mouseClick(w.Find("rb_CM_Single"), Qt::LeftButton);
        QCOMPARE(panel->currentWidget()->objectName(), QStringLiteral("gb_ConMode"));
        QCOMPARE(static_cast<QStackedWidget*>(advanced)->currentWidget()->objectName(), QStringLiteral("p_CM_SC_Adv"));
        for (int z = 0; z < 4; ++z) QVERIFY(stored->isTabVisible(z));
        QVERIFY(!w.Find<QRadioButton>("rb_TransMode")->isChecked());
        QVERIFY(w.Find<QRadioButton>("rb_CM_Single")->isChecked());

        // Auto-Connect Slave: no stored destinations, link fields on the button face.
        QTest::mouseClick(w.Find("rb_CM_Slave"), Qt::LeftButton);
        QCOMPARE(static_cast<QStackedWidget*>(advanced)->currentWidget()->objectName(), QStringLiteral("p_CM_ACM_Adv"));
        for (int z = 0; z < 4; ++z) QVERIFY(!stored->isTabVisible(z));
        auto* linkChk = w.Find("ed_CM_LinkChk");
        QCOMPARE(linkChk->palette().color(QPalette::Base), linkChk->palette().color(QPalette::Button));
        QVERIFY(linkChk->isEnabled());
        QCOMPARE(w.Find<QLineEdit>("ed_CM_UnitAdd")->text(), QStringLiteral("2"));

        // Auto-Connect Master: only the first destination, normal colour.
        QTest::mouseClick(w.Find("rb_ContMode"), Qt::LeftButton);
        QVERIFY(stored->isTabVisible(0));
        for (int z = 1; z < 4; ++z) QVERIFY(!stored->isTabVisible(z));
        QCOMPARE(linkChk->palette().color(QPalette::Base), QApplication::palette(linkChk).color(QPalette::Base));
        QCOMPARE(w.Find<QLineEdit>("ed_CM_UnitAdd")->text(), QStringLiteral("1"));
        QCOMPARE(w.Find<QLineEdit>("Z0_Dest")->text(), QStringLiteral("2"));

        // Transparent Repeater shows Group Address 2 with its label.
        QTest::mouseClick(w.Find("rb_TM_Rpt"), Qt::LeftButton);
        QCOMPARE(panel->currentWidget()->objectName(), QStringLiteral("gb_TransMode"));
        QVERIFY(!w.Find("ed_TM_GrpAdd2")->isHidden());
        QVERIFY(w.Find("ed_TM_GrpAdd2")->isEnabled());
        QCOMPARE(w.workspace.config.Mode(), OperatingMode::TransparentRepeater);
    }

    void clickingTheCheckedModeButtonKeepsIt() {
        StartedWindow w;
        QTest::mouseClick(w.Find("rb_TransMode"), Qt::LeftButton);
        QVERIFY(w.Find<QRadioButton>("rb_TransMode")->isChecked());
        QCOMPARE(w.workspace.config.Mode(), OperatingMode::Transparent);
    }

    void dropDownFollowsProgramChangesWithoutItsPickRule() {
        StartedWindow w;
        auto* baud = w.Find<QComboBox>("Serial_Baud");
        QCOMPARE(baud->count(), 14);
        QCOMPARE(baud->currentText(), QStringLiteral("9600"));
        w.workspace.config.SetChoice(FieldId::Serial_Baud, 8);
        QCOMPARE(baud->currentText(), QStringLiteral("31250"));
        QVERIFY(w.prompter.shown.empty());  // no warning, no threshold question
    }

    void dropDownPickRunsItsRule() {
        StartedWindow w;
        w.workspace.config.SetChoice(FieldId::Serial_Baud, 7);
        auto* baud = w.Find<QComboBox>("Serial_Baud");
        w.Find<QTabWidget>("Page_Settings")->setCurrentIndex(1);
        baud->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(baud->hasFocus(), 10000);
        QTest::keyClick(baud, Qt::Key_Down);  // the user picks 31250
        QCOMPARE(w.workspace.config.Field(FieldId::Serial_Baud).choice, 8);
        QCOMPARE(w.prompter.Texts(), (std::vector<std::string>{kRateWarning, kThresholdQuestion}));
    }

    void checkBoxesAndRadioGroupsFollowTheModel() {
        StartedWindow w;
        QTest::mouseClick(w.Find("rb_ContMode"), Qt::LeftButton);
        auto* lowPower = w.Find<QCheckBox>("chk_CM_LowPow");
        // A user click runs the rule: Low Power selects DTR option 3.
        QTest::mouseClick(lowPower, Qt::LeftButton);
        QVERIFY(lowPower->isChecked());
        QVERIFY(w.Find<QRadioButton>("Serial_DTR_3")->isChecked());
        // A program change shows without a click.
        w.workspace.config.SetChecked(FieldId::chk_CM_LowPow, false);
        QVERIFY(!lowPower->isChecked());
        QVERIFY(w.Find<QRadioButton>("Serial_DTR_0")->isChecked());
        w.workspace.config.SetChoice(FieldId::Serial_DCD, 2);
        QVERIFY(w.Find<QRadioButton>("Serial_DCD_2")->isChecked());
        QVERIFY(!w.Find<QRadioButton>("Serial_DCD_1")->isChecked());
        // A user click on a radio group item picks it.
        w.Find<QTabWidget>("Page_Settings")->setCurrentIndex(1);
        // On the button's circle: a radio button takes clicks on its circle and text only.
        QWidget* alwaysOn = w.Find("Serial_DCD_0");
        QTest::mouseClick(alwaysOn, Qt::LeftButton, {}, QPoint(6, alwaysOn->height() / 2));
        QCOMPARE(w.workspace.config.Field(FieldId::Serial_DCD).choice, 0);
        // No selection at all is shown as such.
        w.workspace.config.SetChoice(FieldId::Serial_DCD, -1);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!w.Find<QRadioButton>(QStringLiteral("Serial_DCD_%1").arg(i).toLatin1().constData())->isChecked());
    }

    void fastOperationLowersTheUnitAddress() {
        StartedWindow w;
        QTest::mouseClick(w.Find("rb_CM_Single"), Qt::LeftButton);
        auto* unit = w.Find<QLineEdit>("ed_CM_UnitAdd");
        TypeInto(unit, "20");
        QTest::mouseClick(w.Find("chk_CM_Fast"), Qt::LeftButton);  // leaves the unit field too
        QCOMPARE(unit->text(), QStringLiteral("15"));
        QVERIFY(w.Find<QCheckBox>("chk_CM_Fast")->isChecked());
    }

    void statusTextAndLogFollowTheModel() {
        StartedWindow w;
        w.workspace.SetStatusText("QX7T-R Firmware Version 1.90");
        QCOMPARE(w.Find<QLabel>("StatusBar1")->text(), QStringLiteral("QX7T-R Firmware Version 1.90"));
        w.workspace.AppendLog("OK\r");
        w.workspace.AppendLog("ATI\r");
        QCOMPARE(w.Find<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("OK\nATI\n"));
        w.workspace.ClearLog();
        QCOMPARE(w.Find<QPlainTextEdit>("Memo1")->toPlainText(), QString());
    }
};

}  // namespace

std::unique_ptr<QObject> MakeMainFormBindingTest() { return std::make_unique<MainFormBindingTest>(); }

}  // namespace qx::test

#include "main_form_binding_test.moc"
