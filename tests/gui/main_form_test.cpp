// The main window as the user meets it: start-up state, names, captions,
// geometry, menus, toolbar, status row and the commands' hooks.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core_file_commands.h"
#include "esc_char_edit_form.h"
#include "gui_fixture.h"
#include "help_about_form.h"
#include "number_edit.h"
#include "qt_file_dialogs.h"
#include "qt_text.h"
#include "status_row.h"
#include "suites.h"

namespace qx::test {
namespace {

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void startsInTransparentModeWithDefaultPanels() {
        StartedWindow w;
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration"));
        QVERIFY(w.Find<QRadioButton>("rb_TransMode")->isChecked());
        auto* panel = w.Find<QStackedWidget>("Panel1");
        QCOMPARE(panel->currentWidget()->objectName(), QStringLiteral("gb_TransMode"));
        QCOMPARE(static_cast<QGroupBox*>(panel->currentWidget())->title(), QStringLiteral("Transparent Mode Options: "));
        QCOMPARE(w.Find<QLabel>("StatusBar_ComPort")->text(), QStringLiteral("Com 1"));
        QCOMPARE(w.Find<QLabel>("StatusBar_BaudRate")->text(), QStringLiteral("9600"));
        QCOMPARE(w.Find<QLabel>("StatusBar_Other")->text(), QStringLiteral("N-8-1"));
        QCOMPARE(w.Find<QLineEdit>("ed_TM_SysAdd")->text(), QStringLiteral("17"));
        QCOMPARE(w.Find<QLineEdit>("sreg_18")->text(), QStringLiteral("120"));
        // SetDefaults gives the focus to the Transparent Mode button.
        QTRY_VERIFY_WITH_TIMEOUT(w.Find<QRadioButton>("rb_TransMode")->hasFocus(), 10000);
        // Group Address 2 belongs to Transparent Repeater only.
        QVERIFY(w.Find<QLineEdit>("ed_TM_GrpAdd2")->isHidden());
        QCOMPARE(w.workspace.escape.Code(), 43);
    }

    void initialPagesAndCaptions() {
        StartedWindow w;
        const auto page = [&](const char* name) {
            auto* tabs = w.Find<QTabWidget>(name);
            return tabs->tabText(tabs->currentIndex());
        };
        QCOMPARE(page("PageControl1"), QStringLiteral("General"));
        QCOMPARE(page("PageControl3"), QStringLiteral("Dest 1"));
        QCOMPARE(page("Page_Settings"), QStringLiteral("Radio"));
        QCOMPARE(page("PageControl2"), QStringLiteral("S0 - S5"));
        auto* settings = w.Find<QTabWidget>("Page_Settings");
        QCOMPARE(settings->tabText(3), QStringLiteral("S Reg"));
        QCOMPARE(w.Find<QTabWidget>("PageControl2")->tabText(3), QStringLiteral("S18 - S21"));
        QCOMPARE(w.Find<QGroupBox>("gb_Z2")->title(), QStringLiteral("3rd Stored Destination Address:"));
        QCOMPARE(w.Find<QGroupBox>("Group_OpMode")->title(), QStringLiteral("Operating Mode: "));
        QCOMPARE(w.Find<QGroupBox>("gb_FlowCtrl")->title(), QStringLiteral("Settings:"));
    }

    void everyFieldHasItsWidget() {
        StartedWindow w;
        for (const FieldSpec& entry : AllFields()) {
            const QString name = QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
            QVERIFY2(w.form.findChild<QWidget*>(name) != nullptr, qPrintable(name));
        }
        for (const char* name : {"ToolBar1", "Panel3", "Memo1", "Panel1", "gb_Blank", "gb_ConMode", "p_CM_SC_Adv",
                                 "p_CM_ACS_Adv", "p_CM_ACM_Adv", "Tab_Radio", "Tab_Data", "TabSheet7", "TabSheet4",
                                 "S18_Plus_TabSheet", "StatusBar1", "lbl_CM_Fast"})
            QVERIFY2(w.Find(name) != nullptr, name);
        // Number fields are line edits: QSpinBox would refuse "600" in 20..530.
        QVERIFY(qobject_cast<gui::NumberEdit*>(w.Find("Radio_PackSize")) != nullptr);
    }

    void geometryAsDesigned() {
        StartedWindow w;
        QCOMPARE(w.form.centralWidget()->size(), QSize(625, 391));
        QCOMPARE(w.form.minimumSize(), w.form.maximumSize());  // fixed size
        QCOMPARE(w.Find("ToolBar1")->geometry(), QRect(0, 0, 625, 29));
        QCOMPARE(w.Find("Panel3")->geometry(), QRect(0, 32, 625, 337));
        const auto inClient = [&](const char* name) {
            QWidget* widget = w.Find(name);
            return QRect(widget->mapTo(w.form.centralWidget(), QPoint(0, 0)), widget->size());
        };
        QCOMPARE(inClient("Group_OpMode"), QRect(8, 40, 169, 201));
        QCOMPARE(inClient("Memo1"), QRect(8, 264, 169, 97));
        QCOMPARE(inClient("Panel1"), QRect(184, 40, 209, 321));
        QCOMPARE(inClient("gb_FlowCtrl"), QRect(384, 40, 233, 321));
        QCOMPARE(inClient("StatusBar_ComPort"), QRect(0, 371, 64, 19));
        QCOMPARE(inClient("StatusBar_BaudRate"), QRect(66, 371, 68, 19));
        QCOMPARE(inClient("StatusBar_Other"), QRect(136, 371, 70, 19));
        QCOMPARE(inClient("StatusBar1"), QRect(209, 371, 416, 19));
        // The middle groups keep clear of the settings box that overlaps the panel.
        QVERIFY(inClient("gb_TransMode").right() < inClient("gb_FlowCtrl").left());
    }

    void menuCaptionsShowSingleAmpersand() {
        StartedWindow w;
        const MainMenuActionsView m{w.form.Menu()};
        QCOMPARE(m.a.Diag_TxRxBer->text(), QStringLiteral("Tx && Rx BER Test"));
        // What the menu displays: the access-key marks removed, "&&" as "&".
        QCOMPARE(m.a.Diag_TxRxBer->iconText(), QStringLiteral("Tx & Rx BER Test"));
        QCOMPARE(m.a.Comm_Read->iconText(), QStringLiteral("Read Module Configuration"));
        QCOMPARE(m.a.File_SaveAs->text(), QStringLiteral("Save &As"));
        QCOMPARE(m.a.Help_About->text(), QStringLiteral("A&bout"));
        QCOMPARE(m.a.Adv_Defaults->text(), QStringLiteral("R&estore Factory Defaults"));
        QStringList menus;
        for (QAction* a : w.form.menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"&File", "&Communication", "Ad&vanced", "&Help"}));
        QStringList diagnostics;
        for (QAction* a : w.form.findChild<QMenu*>("Adv_Diag")->actions()) diagnostics << a->objectName();
        QCOMPARE(diagnostics, (QStringList{"Diag_TxBer", "Diag_RxBer", "Diag_TxRxBer", "Diag_RSSI"}));
        QStringList file;
        for (QAction* a : w.form.findChild<QMenu*>("File_Menu")->actions()) file << a->objectName();
        QCOMPARE(file, (QStringList{"File_New", "File_Open", "File_Save", "File_SaveAs", "File_SaveLog", "N2",
                                    "File_Recent1", "File_Recent2", "File_Recent3", "File_Recent4", "File_Recent5",
                                    "N1", "File_Exit"}));
    }

    void toolbarButtonsWithHintsAndImages() {
        StartedWindow w;
        const QStringList names{"tb_New",         "tb_Open",     "tb_Save", "tb_UpLoad", "tb_Program",
                                "tb_ComSettings", "tb_Defaults", "tb_Help"};
        const QStringList hints{"New",
                                "Open",
                                "Save",
                                "Read Module Configuration",
                                "Configure Module",
                                "Com Port Settings",
                                "Restore Factory Defaults",
                                "Help"};
        for (int i = 0; i < names.size(); ++i) {
            auto* button = w.form.findChild<QToolButton*>(names[i]);
            QVERIFY2(button, qPrintable(names[i]));
            QCOMPARE(button->toolTip(), hints[i]);
            QVERIFY(!button->icon().isNull());
        }
    }

    void moduleCommandsReachTheirHooks() {
        StartedWindow w;
        const auto& m = w.form.Menu();
        for (QAction* a : {m.Adv_Defaults, m.Diag_TxBer, m.Diag_RxBer, m.Diag_TxRxBer, m.Diag_RSSI}) a->trigger();
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Program"), Qt::LeftButton);
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_UpLoad"), Qt::LeftButton);
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Defaults"), Qt::LeftButton);
        QCOMPARE(w.module->calls, (std::vector<std::string>{"Restore", "TxBer", "RxBer1", "RxBer2", "RxBer3",
                                                             "Configure", "Read", "Restore"}));
    }

    void anErrorEscapingACommandIsShownAsAnErrorBox() {
        struct Failing : RecordingModuleCommands {
            using RecordingModuleCommands::RecordingModuleCommands;
            void WriteConfig() override { throw std::runtime_error("Error communicating with QX7T-R."); }
        };
        StartedWindow w;
        w.form.SetModuleCommands(std::make_unique<Failing>(w.workspace.config));
        w.form.Menu().Comm_Configure->trigger();
        QCOMPARE(w.prompter.shown.size(), std::size_t{1});
        QCOMPARE(w.prompter.shown[0].kind, MessageKind::Error);
        QCOMPARE(w.prompter.shown[0].text, std::string("Error communicating with QX7T-R."));
    }

    void fileCommandsAndCaption() {
        StartedWindow w;
        const auto& m = w.form.Menu();
        m.File_New->trigger();
        m.File_SaveAs->trigger();
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Open"), Qt::LeftButton);
        QCOMPARE(w.files->calls, (std::vector<std::string>{"New", "SaveAs", "Open"}));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration: /tmp/site.X7R"));
        w.form.OpenCommandLineFile("/tmp/a.X7R");
        QCOMPARE(w.files->calls.back(), std::string("CommandLine:/tmp/a.X7R"));
    }

    void saveNewAndOpenThroughTheCoreFileCommands() {
        struct ScriptedDialogs : FileDialogs {
            std::optional<std::string> path;
            int asked = 0;
            std::optional<std::string> AskOpenPath() override { return ++asked, path; }
            std::optional<std::string> AskSavePath() override { return ++asked, path; }
        };
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string path = gui::FromQ(dir.filePath(QStringLiteral("site.X7R")));
        StartedWindow w;
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs* scripted = dialogs.get();
        scripted->path = path;
        w.form.SetFileCommands(std::make_unique<gui::CoreFileCommands>(w.workspace, std::move(dialogs)));

        TypeInto(w.Find("Radio_TxHold"), "77");
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Save"), Qt::LeftButton);
        QCOMPARE(scripted->asked, 1);  // no current file yet: asks for a name
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("site.X7R"))));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration: ") + gui::ToQ(path));

        w.prompter.Script({Answer::Ok});
        w.form.Menu().File_New->trigger();
        QCOMPARE(w.prompter.shown.at(0).text, std::string("Open new configuration?"));
        QCOMPARE(w.Find<QLineEdit>("Radio_TxHold")->text(), QStringLiteral("0"));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration"));

        w.form.Menu().File_Open->trigger();
        QCOMPARE(scripted->asked, 2);
        QCOMPARE(w.Find<QLineEdit>("Radio_TxHold")->text(), QStringLiteral("77"));
        QCOMPARE(w.Find<QLineEdit>("sreg_16")->text(), QStringLiteral("77"));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration: ") + gui::ToQ(path));

        // The menu's Save writes over the current file without asking.
        w.form.Menu().File_Save->trigger();
        QCOMPARE(scripted->asked, 2);
    }

    void fileDialogsFilterOnX7R() {
        QFileDialog dialog;
        gui::QtFileDialogs::Configure(dialog);
        QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("*.X7R (*.X7R)")});
        QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("X7R"));
    }

    void statusPanelsOpenTheirMenusUpward() {
        StartedWindow w;
        struct Case {
            const char* panel;
            const char* menu;
            int rise;
        };
        for (const Case& c : {Case{"StatusBar_ComPort", "Popup_ComPort", 145},
                              Case{"StatusBar_BaudRate", "Popup_BaudRate", 210},
                              Case{"StatusBar_Other", "Popup_Other", 90}}) {
            QWidget* panel = w.Find(c.panel);
            auto* menu = w.form.findChild<QMenu*>(c.menu);
            QTest::mousePress(panel, Qt::RightButton);
            QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 10000);
            const QPoint expected = panel->mapToGlobal(QPoint(0, -c.rise));
            QCOMPARE(gui::PopupPosition(panel, c.rise), expected);
            QCOMPARE(menu->pos(), expected);
            menu->hide();
        }
    }

    void popupChoicesUpdateThePanels() {
        StartedWindow w;
        const auto choose = [&](const char* panelName, const char* menuName, const char* item) {
            QTest::mousePress(w.Find(panelName), Qt::LeftButton);
            auto* menu = w.form.findChild<QMenu*>(menuName);
            QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 10000);
            QAction* action = menu->findChild<QAction*>(item);
            QVERIFY(action);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            QTRY_VERIFY_WITH_TIMEOUT(!menu->isVisible(), 10000);
        };
        choose("StatusBar_Other", "Popup_Other", "puE72");
        QCOMPARE(w.Find<QLabel>("StatusBar_Other")->text(), QStringLiteral("E-7-2"));
        QCOMPARE(w.workspace.host.Parity, 2);
        QCOMPARE(w.workspace.host.DataBits, 0);
        QCOMPARE(w.workspace.host.StopBits, 1);
        choose("StatusBar_ComPort", "Popup_ComPort", "puCom3");
        QCOMPARE(w.Find<QLabel>("StatusBar_ComPort")->text(), QStringLiteral("Com 3"));
        QCOMPARE(w.workspace.host.PortIndex, 2);
        choose("StatusBar_BaudRate", "Popup_BaudRate", "br19200");
        QCOMPARE(w.Find<QLabel>("StatusBar_BaudRate")->text(), QStringLiteral("19200"));
        QCOMPARE(w.workspace.host.BaudIndex, 5);
    }

    void rateMenuDisablesWhatThisComputerCannotUse() {
        StartedWindow w;
        auto* menu = w.form.findChild<QMenu*>("Popup_BaudRate");
        QStringList captions;
        for (QAction* a : menu->actions()) captions << a->text();
        QCOMPARE(captions, (QStringList{"1200", "2400", "4800", "9600", "14400", "19200", "28800", "31250", "38400",
                                        "57600", "76800", "115200", "93750"}));
        QVERIFY(!menu->findChild<QAction*>("br31250")->isEnabled());
        QCOMPARE(menu->findChild<QAction*>("br31250")->toolTip(),
                 QStringLiteral("Data Rate not supported by this computer"));
        QVERIFY(!menu->findChild<QAction*>("br76800")->isEnabled());
        QVERIFY(!menu->findChild<QAction*>("br93750")->isEnabled());
        QCOMPARE(w.form.findChild<QMenu*>("Popup_ComPort")->actions().at(2)->text(), QStringLiteral("Com &3"));
    }

    void serialDialogCancelKeepsTheRecord() {
        StartedWindow w;
        w.workspace.host.PortIndex = 1;  // shown only once the dialog refreshes the panels
        const HostSerialSettings before = w.workspace.host;
        WhenModalShown([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Serial Port Setup"));
            QVERIFY(dialog->findChild<QRadioButton*>("rg_ComPort_1")->isChecked());
            QCOMPARE(dialog->findChild<QComboBox*>("Combo_DataRate")->currentText(), QStringLiteral("9600"));
            QCOMPARE(dialog->findChild<QComboBox*>("Combo_Parity")->currentText(), QStringLiteral("None"));
            QTest::mouseClick(dialog->findChild<QRadioButton*>("rg_ComPort_5"), Qt::LeftButton);
            dialog->findChild<QComboBox*>("Combo_DataRate")->setCurrentIndex(0);
            QTest::mouseClick(dialog->findChild<QPushButton*>("btn_Cancel"), Qt::LeftButton);
        });
        QTest::mouseClick(w.form.findChild<QToolButton*>("tb_ComSettings"), Qt::LeftButton);
        QCOMPARE(w.workspace.host, before);
        // The panels are refreshed whichever button closed the dialog.
        QCOMPARE(w.Find<QLabel>("StatusBar_ComPort")->text(), QStringLiteral("Com 2"));
    }

    void serialDialogOkStoresEveryList() {
        StartedWindow w;
        WhenModalShown([](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QRadioButton*>("rg_ComPort_6"), Qt::LeftButton);
            auto* rate = dialog->findChild<QComboBox*>("Combo_DataRate");
            QCOMPARE(rate->count(), 12);
            rate->setCurrentIndex(7);  // 31250: offered here though the pop-up menu disables it
            dialog->findChild<QComboBox*>("Combo_DataBits")->setCurrentIndex(0);
            dialog->findChild<QComboBox*>("Combo_StopBits")->setCurrentIndex(1);
            dialog->findChild<QComboBox*>("Combo_Parity")->setCurrentIndex(1);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        });
        w.form.Menu().Comm_Serial->trigger();
        QCOMPARE(w.workspace.host, (HostSerialSettings{6, 7, 0, 1, 1}));
        QCOMPARE(w.Find<QLabel>("StatusBar_ComPort")->text(), QStringLiteral("Com 7"));
        QCOMPARE(w.Find<QLabel>("StatusBar_BaudRate")->text(), QStringLiteral("31250"));
        QCOMPARE(w.Find<QLabel>("StatusBar_Other")->text(), QStringLiteral("O-7-2"));
    }

    void escapeDialogClampsAndCancelKeeps() {
        StartedWindow w;
        struct Case {
            const char* typed;
            bool ok;
            int expected;
        };
        int previous = 43;
        for (const Case& c : {Case{"300", true, 255}, Case{"0", true, 1}, Case{"", true, 1}, Case{"35", true, 35},
                              Case{"99", false, 35}, Case{"x", true, 1}, Case{"-", true, 1}}) {
            const int before = previous;
            WhenModalShown([c, before](QWidget* dialog) {
                auto* field = dialog->findChild<QLineEdit*>("EscChar_SpinEdit");
                QCOMPARE(field->text(), QString::number(before));  // starts from the current character
                TypeInto(field, c.typed);
                if (c.ok) {
                    QTest::keyClick(field, Qt::Key_Return);  // Enter while still in the field
                } else {
                    QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel_BitBtn"), Qt::LeftButton);
                }
            });
            w.form.Menu().Adv_EscChar->trigger();
            // "x" cannot be typed (digits, signs and "." only); an empty field or
            // a lone sign is not a number and reads as the minimum.
            QCOMPARE(w.workspace.escape.Code(), c.expected);
            previous = c.expected;
        }
        // The dialog sets the escape character and nothing else.
        QCOMPARE(w.workspace.config.Field(FieldId::sreg_2).text, std::string("43"));
    }

    void aboutBoxShowsModelAndVersionFromTheBlock() {
        for (const ModelVariant& variant : {ModelVariant::Main(), ModelVariant::Basic()}) {
            StartedWindow w(variant);
            QString name;
            QString version;
            WhenModalShown([&](QWidget* about) {
                QCOMPARE(about->windowTitle(), QStringLiteral("About"));
                name = about->findChild<QLabel*>("Label_SoftwareName")->text();
                version = about->findChild<QLabel*>("Version")->text();
                QVERIFY(about->findChild<QLabel*>("Image_KorvaEgg")->isVisibleTo(about));
                QTest::mouseClick(about->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
            });
            QTest::mouseClick(w.form.findChild<QToolButton*>("tb_Help"), Qt::LeftButton);
            QCOMPARE(version, QStringLiteral("Version " QX_EXPECTED_VERSION));
            QCOMPARE(name, variant.Family == ModelFamily::Main ? QStringLiteral("KORVA QX7T-R Configuration")
                                                               : QStringLiteral("KORVA QX5T Configuration"));
        }
    }

    void aboutBoxWithoutVersionBlock() {
        StartedWindow w;
        w.form.SetExecutablePath(QX_UNVERSIONED_PATH);  // qxsim carries no block
        QString version;
        WhenModalShown([&](QWidget* about) {
            version = about->findChild<QLabel*>("Version")->text();
            QTest::keyClick(about, Qt::Key_Return);
        });
        w.form.Menu().Help_About->trigger();
        QCOMPARE(version, QStringLiteral("Version unknown"));
    }

    void basicModelHidesWhatItLacks() {
        StartedWindow w(ModelVariant::Basic());
        QCOMPARE(w.form.windowTitle(), QStringLiteral("QX5T Configuration"));
        QCOMPARE(w.Find<QTabWidget>("PageControl2")->tabText(3), QStringLiteral("S18 - S20"));
        QVERIFY(w.Find("sreg_21")->isHidden());
        QVERIFY(w.Find("chk_CM_Fast")->isHidden());
        QVERIFY(w.Find("lbl_CM_Fast")->isHidden());
        QCOMPARE(w.Find<QRadioButton>("Radio_DataRate_2")->text(), QStringLiteral("76800"));
        QCOMPARE(w.Find<QLineEdit>("sreg_18")->text(), QStringLiteral("129"));
    }

private:
    struct MainMenuActionsView {
        const gui::MainMenuActions& a;
    };
};

}  // namespace

std::unique_ptr<QObject> MakeMainFormTest() { return std::make_unique<MainFormTest>(); }

}  // namespace qx::test

#include "main_form_test.moc"
