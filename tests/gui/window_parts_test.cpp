// The window's smaller parts: the level in a test window's Level field and
// its plot, the communication log as shown, "--com N=PATH", the port line
// of the "Serial Port Setup" dialog, and the dispatcher's wait that keeps
// serving a worker.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "ber_test_form.h"
#include "com_port_options.h"
#include "gui_fixture.h"
#include "log_text.h"
#include "qt_ui_dispatcher.h"
#include "rssi_level.h"
#include "rssi_plot.h"
#include "suites.h"

namespace qx::test {
namespace {

class WindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void levelIsTheNumberBeforeDbm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");  // 999: no level
        QTest::newRow("rssi line") << "RSSI -72 dBm" << -72;
        QTest::newRow("no blank") << "-105dBm" << -105;
        QTest::newRow("leading lf") << "\nRSSI -98 dBm" << -98;
        QTest::newRow("plus sign") << "RSSI +3 dBm" << 3;
        QTest::newRow("ber level token") << "-72" << -72;
        QTest::newRow("ber level blanks") << " -64 " << -64;
        QTest::newRow("garbage") << "garbage" << 999;
        QTest::newRow("empty") << "" << 999;
        QTest::newRow("unit alone") << "dBm" << 999;
        QTest::newRow("word before unit") << "RSSI low dBm" << 999;
        QTest::newRow("sign alone") << "RSSI - dBm" << 999;
        QTest::newRow("too many digits") << "RSSI -99999999999999999999 dBm" << 999;
        QTest::newRow("out of range") << "RSSI -900 dBm" << 999;
        QTest::newRow("not a whole number") << "-7x2" << 999;
        QTest::newRow("high bytes") << "\xB0\xFF\xFE" << 999;
    }
    void levelIsTheNumberBeforeDbm() {
        QFETCH(QString, text);
        QFETCH(int, level);
        const std::optional<int> parsed = gui::ParseRssiLevel(text.toLatin1().toStdString());
        QCOMPARE(parsed.value_or(999), level);
    }

    void plotKeepsTheLastLevelsOnly() {
        gui::RssiPlot plot(nullptr, 5);
        QCOMPARE(plot.Capacity(), 5);
        QVERIFY(!plot.grab().isNull());  // empty
        plot.AddLevel(-70);
        QVERIFY(!plot.grab().isNull());  // one point, a flat scale
        for (int level = -80; level >= -86; --level) plot.AddLevel(level);
        QCOMPARE(plot.Levels(), (std::vector<int>{-82, -83, -84, -85, -86}));
        plot.resize(320, 90);
        QVERIFY(!plot.grab().isNull());
        plot.Clear();
        QCOMPARE(plot.Levels(), std::vector<int>{});
    }

    void onlyANumericLevelFieldAddsAPoint() {
        gui::TBERTestForm window;
        window.SetField(3, "garbage");
        window.SetField(3, "RSSI -72 dBm");
        window.SetField(0, "-50");  // not the level
        window.SetField(3, "");
        window.SetField(3, "-61");
        window.SetField(7, "-1");  // no such field
        QCOMPARE(window.Plot()->Levels(), (std::vector<int>{-72, -61}));
        QCOMPARE(window.Field(3)->text(), QStringLiteral("-61"));
        QCOMPARE(window.Field(0)->text(), QStringLiteral("-50"));
    }

    void testWindowLayout() {
        gui::TBERTestForm window;
        const char* names[] = {"edit_Test", "edit_Error", "edit_Extra", "edit_Level",
                               "edit_TotErr", "edit_TotMiss", "edit_TotTest"};
        for (int i = 0; i < kTestFieldCount; ++i) QCOMPARE(window.Field(i)->objectName(), QString::fromLatin1(names[i]));
        // Top row of three, bottom row of four, left to right.
        QCOMPARE(window.Field(0)->y(), window.Field(2)->y());
        QCOMPARE(window.Field(3)->y(), window.Field(6)->y());
        QVERIFY(window.Field(3)->y() > window.Field(0)->y());
        for (int i : {0, 1, 3, 4, 5}) QVERIFY(window.Field(i)->x() < window.Field(i + 1)->x());
        QStringList labels;
        for (const QLabel* l : window.findChildren<QLabel*>()) labels << l->text();
        for (const char* l : {"Test:", "Errors", "Extra", "Level", "Tot Error", "Tot Miss", "Tot Test"})
            QVERIFY2(labels.contains(QString::fromLatin1(l)), l);
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void logShowsEachLineOnce_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("shown");
        // Each entry as the core keeps it: the reply, a CR, then CR LF.
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("verbose ok") << QByteArray("\r\nOK\r\n\r\r\n") << "OK\n";
        QTest::newRow("two entries") << QByteArray("OK\r\r\nATI\r\r\n") << "OK\nATI\n";
        QTest::newRow("empty reply") << QByteArray("\r\r\n") << QString();
        QTest::newRow("listing") << QByteArray("\r\nB0 C4 \r\nS0:001 \r\n&Z0= \r\n\r\nOK\r\n\r\r\n")
                                 << "B0 C4 \nS0:001 \n&Z0= \nOK\n";
        QTest::newRow("numeric") << QByteArray("0\r\r\r\n") << "0\n";
        QTest::newRow("lone cr splits") << QByteArray("a\rb") << "a\nb\n";
        QTest::newRow("lf only") << QByteArray("a\n\n\nb\n") << "a\nb\n";
        QTest::newRow("8-bit") << QByteArray("\xB0K\r\r\n") << QString::fromLatin1("\xB0K\n");
    }
    void logShowsEachLineOnce() {
        QFETCH(QByteArray, log);
        QFETCH(QString, shown);
        QCOMPARE(gui::CleanLogText(std::string_view(log.constData(), static_cast<std::size_t>(log.size()))), shown);
    }

    void comOptionsPointSlotsAtPaths() {
        const auto parse = [](std::initializer_list<const char*> args) {
            QStringList list;
            for (const char* a : args) list << QString::fromLatin1(a);
            return gui::ParseComPortOptions(list);
        };
        const gui::ComPortOptions o = parse({"Cfg_QX7TR", "--com", "1=/tmp/m", "site.X7R", "--com", "8=/dev/ttyS0"});
        QCOMPARE(o.error, QString());
        QCOMPARE(o.remaining, (QStringList{"Cfg_QX7TR", "site.X7R"}));
        QCOMPARE(o.ports.PathFor(0), std::string("/tmp/m"));
        QCOMPARE(o.ports.PathFor(7), std::string("/dev/ttyS0"));
        QCOMPARE(o.ports.PathFor(1), std::string("/dev/ttyUSB1"));
        // The configuration-file rule then sees the file, not the option.
        QCOMPARE(parse({"Cfg_QX7TR", "--com", "2=/tmp/x"}).remaining, QStringList{"Cfg_QX7TR"});
        QCOMPARE(parse({"Cfg_QX7TR", "--selftest"}).remaining, (QStringList{"Cfg_QX7TR", "--selftest"}));
        for (auto bad : {parse({"Cfg_QX7TR", "--com", "9=/x"}), parse({"Cfg_QX7TR", "--com", "0=/x"}),
                         parse({"Cfg_QX7TR", "--com", "1="}), parse({"Cfg_QX7TR", "--com", "=/x"}),
                         parse({"Cfg_QX7TR", "--com", "a=/x"}), parse({"Cfg_QX7TR", "--com"})})
            QVERIFY(bad.error.startsWith(QStringLiteral("--com takes N=PATH")));
    }

    void serialDialogNamesTheSlotsDevice() {
        StartedWindow w;
        PortMap ports;
        ports.Override(0, "/tmp/qx-module");
        w.form.SetPortMap(ports);
        QString first;
        QString third;
        WhenModalShown([&](QWidget* dialog) {
            auto* line = dialog->findChild<QLabel*>(QStringLiteral("lbl_PortPath"));
            QVERIFY(line);
            first = line->text();
            QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("rg_ComPort_2")), Qt::LeftButton);
            third = line->text();
            dialog->close();
        });
        w.form.Menu().Comm_Serial->trigger();
        QCOMPARE(first, QStringLiteral("COM1 = /tmp/qx-module"));
        QCOMPARE(third, QStringLiteral("COM3 = /dev/ttyUSB2"));
        QCOMPARE(w.workspace.host.PortIndex, std::uint8_t{0});  // closed, not OK
    }

    void waitServingRunsTheCallAWorkerIsBlockedIn() {
        gui::QtUiDispatcher dispatcher;
        std::atomic<bool> invoked{false};
        std::atomic<bool> finished{false};
        bool ranHere = false;
        std::thread worker([&] {
            invoked = true;
            dispatcher.Invoke([&] { ranHere = QThread::currentThread() == dispatcher.thread(); });
            finished = true;
        });
        // A wait that did not serve would never see the worker finish; give
        // up after 20 s rather than hang.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        dispatcher.WaitServing([&] { return finished.load() || std::chrono::steady_clock::now() > giveUp; });
        const bool servedInTime = finished.load();
        while (!finished.load()) QCoreApplication::processEvents();  // let the worker end either way
        worker.join();
        QVERIFY(invoked.load());
        QVERIFY(servedInTime);
        QVERIFY(ranHere);
    }
};

}  // namespace

std::unique_ptr<QObject> MakeWindowPartsTest() { return std::make_unique<WindowPartsTest>(); }

}  // namespace qx::test

#include "window_parts_test.moc"
