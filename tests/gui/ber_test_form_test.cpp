// The receive test window against the simulator: a bit-error-rate test
// fills the seven fields and stops; the RSSI measurement from the menu
// plots the level, and its close box stops the test before the window
// closes.

#include <QLineEdit>
#include <QPushButton>
#include <ctime>
#include <unistd.h>

#include "ber_test_form.h"
#include "qt_ui_dispatcher.h"
#include "rssi_level.h"
#include "rssi_plot.h"
#include "serial/comqx7_object.h"
#include "sim_window.h"
#include "suites.h"

namespace qx::test {
namespace {

using namespace std::chrono_literals;

QPushButton* Button(const QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

// A test window of its own on a channel to the simulator, shown.
struct ShownTestWindow {
    ShownTestWindow(SimWindow& s, int testNumber)
        : commands(s.w.form), channel(commands.OpenChannel()(s.w.workspace.host)), window(&s.w.form) {
        window.SetupTest(*channel, testNumber, ui, s.w.prompter);
        window.show();
    }
    gui::QtModuleCommands commands;
    std::unique_ptr<TCOMQX7Object> channel;
    gui::QtUiDispatcher ui;
    gui::TBERTestForm window;
};

class BerTestFormTest : public QObject {
    Q_OBJECT

private slots:
    void aBitErrorRateTestFillsTheFieldsUntilStopped() {
        SimWindow s;
        ShownTestWindow shown(s, 1);
        gui::TBERTestForm& window = shown.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Receive Bit Error Rate Test"));
        QPushButton* startStop = Button(&window, "btn_StartStop");
        QPushButton* close = Button(&window, "btn_Close");
        QCOMPARE(startStop->text(), QStringLiteral("Start"));

        QTest::mouseClick(startStop, Qt::LeftButton);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{});
        QCOMPARE(startStop->text(), QStringLiteral("Stop"));
        QVERIFY(close->isHidden());
        QVERIFY(!close->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // "<block> <errors> x <level> <total errors> <total missed> <total kbit>"
        QTRY_VERIFY_WITH_TIMEOUT(window.Field(6)->text().endsWith(QStringLiteral(" kbit")), 20000);
        QCOMPARE(window.Field(2)->text(), QStringLiteral("x"));
        QVERIFY(gui::ParseRssiLevel(window.Field(3)->text().toStdString()).has_value());
        QTRY_VERIFY_WITH_TIMEOUT(!window.Plot()->Levels().empty(), 20000);
        for (int i = 0; i < kTestFieldCount; ++i) QVERIFY(window.Field(i)->isReadOnly());

        QTest::mouseClick(startStop, Qt::LeftButton);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{});
        QCOMPARE(startStop->text(), QStringLiteral("Start"));
        QVERIFY(!close->isHidden());
        QVERIFY(close->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // Stopped: no line changes the fields any more.
        const QString total = window.Field(6)->text();
        QTest::qWait(600);  // three of the module's 200 ms periods
        QCOMPARE(window.Field(6)->text(), total);
    }

    // The adapter is pulled during the test: the report the Stop button
    // would show, once; the window back at "Start"; the process idle.
    void aPortThatVanishesEndsTheTestWithItsReport() {
        SimWindow s;
        ShownTestWindow shown(s, 3);
        gui::TBERTestForm& window = shown.window;
        QPushButton* startStop = Button(&window, "btn_StartStop");
        QTest::mouseClick(startStop, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window.Field(3)->text().endsWith(QStringLiteral(" dBm")), 20000);
        QVERIFY2(window.Field(3)->text().startsWith(QStringLiteral("RSSI ")), qPrintable(window.Field(3)->text()));

        ::unlink(s.Link().c_str());
        s.sim->Kill();
        QTRY_COMPARE_WITH_TIMEOUT(startStop->text(), QStringLiteral("Start"), 10000);
        QCOMPARE(s.w.prompter.Texts(),
                 std::vector<std::string>{"Error communicating with module. The module did not respond correctly.\r\n"
                                          "Ensure COM port settings are correct, and module is Switched On.\r\n"
                                          "(Hint: Set Switch 2 on module to restore factory defaults."});
        QVERIFY(Button(&window, "btn_Close")->isVisible());
        // Nothing polls the dead port: the whole process uses under a
        // quarter of a core over a second (a spinning poll takes a whole one).
        const auto cpu = [] {
            timespec t{};
            ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
        };
        const double before = cpu();
        QTest::qWait(1000);
        QVERIFY2(cpu() - before < 0.25, qPrintable(QString::number(cpu() - before)));
        window.close();
        QCOMPARE(s.w.prompter.Texts().size(), std::size_t{1});
    }

    void rssiFromTheMenuPlotsAndItsCloseBoxStopsTheTest() {
        SimWindow s;
        QString caption;
        QString levelText;
        std::vector<int> levels;
        bool closeHidden = false;
        std::shared_ptr<bool> plotted;
        WhenModalShown([&](QWidget* modal) {
            auto* window = qobject_cast<gui::TBERTestForm*>(modal);
            QVERIFY(window);
            caption = window->windowTitle();
            QTest::mouseClick(Button(window, "btn_StartStop"), Qt::LeftButton);
            plotted = WhenTrue([window] { return window->Plot()->Levels().size() >= 2; },
                               [&, window] {
                                   levelText = window->Field(3)->text();
                                   levels = window->Plot()->Levels();
                                   closeHidden = Button(window, "btn_Close")->isHidden();
                                   window->close();  // the close box
                               });
        });
        RunCommand(s.Menu(&gui::MainMenuActions::Diag_RSSI));
        QVERIFY(plotted && *plotted);
        QCOMPARE(caption, QStringLiteral("RSSI Measurement"));
        QVERIFY2(levelText.startsWith(QStringLiteral("RSSI ")) && levelText.endsWith(QStringLiteral(" dBm")),
                 qPrintable(levelText));
        QCOMPARE(levels.back(), *gui::ParseRssiLevel(levelText.toStdString()));
        QVERIFY(closeHidden);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{});
        QVERIFY(s.w.form.findChildren<gui::TBERTestForm*>().isEmpty());
        // The port is free again and the module has left the test: nothing streams.
        simtest::HostPort port(s.Link());
        const std::string heard = port.ReadFor(700ms);
        QVERIFY2(heard.find("dBm") == std::string::npos, heard.c_str());
    }
};

}  // namespace

std::unique_ptr<QObject> MakeBerTestFormTest() { return std::make_unique<BerTestFormTest>(); }

}  // namespace qx::test

#include "ber_test_form_test.moc"
