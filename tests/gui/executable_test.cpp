// The built program chooses its model by its own file name: Cfg_QX7TR the
// main model, the Cfg_QX5T link the basic one, any other name neither.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "gui_fixture.h"
#include "suites.h"

namespace qx::test {
namespace {

const QString kBinDir = QStringLiteral(QX_BIN_DIR);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run Start(const QString& program, const QStringList& arguments = {QStringLiteral("--selftest")}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class ExecutableTest : public QObject {
    Q_OBJECT

private slots:
    void theBasicModelIsALinkBesideTheProgram() {
        const QFileInfo link(kBinDir + QStringLiteral("/Cfg_QX5T"));
        QVERIFY(link.isSymLink());
        QCOMPARE(QFileInfo(link.symLinkTarget()).fileName(), QStringLiteral("Cfg_QX7TR"));
    }

    void mainModelByName() {
        const Run r = Start(kBinDir + QStringLiteral("/Cfg_QX7TR"));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains(QStringLiteral("caption=QX7T-R Configuration\n")), qPrintable(r.out + r.err));
        QVERIFY(r.out.contains(QStringLiteral("family=Main\n")));
        QVERIFY(r.out.contains(QStringLiteral("sregLastPage=S18 - S21\n")));
        QVERIFY(r.out.contains(QStringLiteral("port=Com 1\nrate=9600\nformat=N-8-1\nmode=1\n")));
    }

    void basicModelThroughTheLink() {
        const Run r = Start(kBinDir + QStringLiteral("/Cfg_QX5T"));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains(QStringLiteral("caption=QX5T Configuration\n")), qPrintable(r.out + r.err));
        QVERIFY(r.out.contains(QStringLiteral("family=Basic\n")));
        QVERIFY(r.out.contains(QStringLiteral("sregLastPage=S18 - S20\n")));
    }

    void otherNamesGiveFilenameError() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A directory named after a model does not count, nor a lower-case prefix.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("QX7")));
        const QString target = kBinDir + QStringLiteral("/Cfg_QX7TR");
        for (const QString& name : {QStringLiteral("QX7/Cfg_Tool"), QStringLiteral("cfg_qx7tr")}) {
            const QString path = dir.filePath(name);
            QVERIFY(QFile::link(target, path));
            const Run r = Start(path);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(QStringLiteral("ERROR: Filename Error!")), qPrintable(r.err));
            QVERIFY(r.out.isEmpty());
        }
    }

    // Without a display: --help, and a --com that is malformed (its
    // address too) answered before the window would need one.
    void commandLineAnsweredWithoutADisplay() {
        struct Case {
            QStringList arguments;
            int exitCode;
            QString said;
        } const cases[] = {
            {{QStringLiteral("--help")}, 0, QStringLiteral("rfc2217://HOST:PORT or socket://HOST:PORT")},
            {{QStringLiteral("--com"), QStringLiteral("1=rfc2217://localhost")}, 2, QStringLiteral("'rfc2217://localhost'")},
            {{QStringLiteral("--com"), QStringLiteral("1=socket://127.0.0.1:1/extra")}, 2, QStringLiteral("--com takes a network port")},
            {{QStringLiteral("--com"), QStringLiteral("9=rfc2217://h:1")}, 2, QStringLiteral("--com takes N=PATH")},
        };
        for (const Case& c : cases) {
            QProcess process;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            process.setProcessEnvironment(env);
            process.start(kBinDir + QStringLiteral("/Cfg_QX7TR"), c.arguments);
            QVERIFY(process.waitForFinished(60000));
            const QString said = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
            QCOMPARE(process.exitCode(), c.exitCode);
            QVERIFY2(said.contains(c.said), qPrintable(said));
        }
    }

    void screenshotIsWritten() {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("window.png"));
        const Run r = Start(kBinDir + QStringLiteral("/Cfg_QX7TR"), {QStringLiteral("--screenshot"), png});
        QCOMPARE(r.exitCode, 0);
        QImage image(png);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 625);
        QVERIFY(image.height() >= 391);
    }
};

}  // namespace

std::unique_ptr<QObject> MakeExecutableTest() { return std::make_unique<ExecutableTest>(); }

}  // namespace qx::test

#include "executable_test.moc"
