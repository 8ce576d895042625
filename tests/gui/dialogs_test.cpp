// The message boxes of the prompter and the progress window.

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <atomic>
#include <thread>

#include "gui_fixture.h"
#include "progress_window.h"
#include "qt_prompter.h"
#include "qt_ui_dispatcher.h"
#include "suites.h"

namespace qx::test {
namespace {

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Shows `message` through the window's prompter; `press` is the button to
// press (NoButton: Esc).
std::pair<Answer, ShownBox> ShowAndPress(const Message& message, QMessageBox::StandardButton press) {
    gui::QtPrompter prompter;
    ShownBox shown;
    WhenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        if (press == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        }
    });
    const Answer answer = prompter.Show(message);
    return {answer, shown};
}

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void confirmationWithYesAndNo() {
        const auto [answer, box] =
            ShowAndPress({MessageKind::Confirmation, MessageButtons::YesNo, "Automatically adjust S18 && S19 (recommended)?"},
                         QMessageBox::No);
        QCOMPARE(answer, Answer::No);
        QCOMPARE(box.text, QStringLiteral("Automatically adjust S18 & S19 (recommended)?"));
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    }

    void warningWithYesAndNoAnswersYes() {
        const auto [answer, box] = ShowAndPress({MessageKind::Warning, MessageButtons::YesNo,
                                                 "This option will delete all existing configuration data\r\nand "
                                                 "restore factory defaults to the modem. Continue?"},
                                                QMessageBox::Yes);
        QCOMPARE(answer, Answer::Yes);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY(box.text.startsWith(QStringLiteral("This option will delete")));
    }

    void errorWithOk() {
        const auto [answer, box] = ShowAndPress({MessageKind::Error, MessageButtons::Ok, "Filename Error!"},
                                                QMessageBox::Ok);
        QCOMPARE(answer, Answer::Ok);
        QCOMPARE(box.title, QStringLiteral("Error"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.text, QStringLiteral("Filename Error!"));
    }

    void informationEscapeAndOkCancelEscape() {
        const auto [ok, info] = ShowAndPress({MessageKind::Information, MessageButtons::Ok, "Done"}, QMessageBox::NoButton);
        QCOMPARE(ok, Answer::Ok);
        QCOMPARE(info.icon, QMessageBox::Information);
        const auto [cancel, box] =
            ShowAndPress({MessageKind::Warning, MessageButtons::OkCancel, "Overwrite?"}, QMessageBox::NoButton);
        QCOMPARE(cancel, Answer::Cancel);
        QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }

    void progressWindowLayout() {
        gui::ProgressWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Module Configuration"));
        QCOMPARE(window.size(), QSize(289, 95));
        QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QStringLiteral("Progress:"));
        QVERIFY(window.findChild<QLabel*>("WhatsHappening")->alignment() & Qt::AlignHCenter);
        QCOMPARE(window.findChild<QPushButton*>("CancelBitBtn")->text(), QStringLiteral("Cancel"));
        QVERIFY(window.findChild<QProgressBar*>("ProgressBar1"));
    }

    void cancelEscAndCloseBoxOnlyAskTheOperationToStop() {
        gui::ProgressWindow window;
        int cancels = 0;
        bool startedVisible = false;
        QString afterCancel;
        bool visibleAfterCancels = false;
        window.Run(
            [&] {
                startedVisible = window.isVisible();
                window.SetText("Opening COM Port...");
                window.SetMax(40);
                window.Step();
                window.Step();
                QCOMPARE(window.Bar()->value(), 2);
                QTest::mouseClick(window.findChild<QPushButton*>("CancelBitBtn"), Qt::LeftButton);
                afterCancel = window.Text();
                QTest::keyClick(&window, Qt::Key_Escape);
                window.close();  // the close box
                visibleAfterCancels = window.isVisible();
                window.Close();  // the operation ends
            },
            [&] { ++cancels; });
        QVERIFY(startedVisible);
        QCOMPARE(cancels, 3);
        QCOMPARE(afterCancel, QStringLiteral("Cancelling Operation..."));
        QVERIFY(visibleAfterCancels);
        QVERIFY(!window.isVisible());
    }

    void aWorkerDrivesTheWindowThroughTheDispatcher() {
        gui::ProgressWindow window;
        gui::QtUiDispatcher dispatcher;
        std::atomic<bool> cancelRequested{false};
        std::thread worker;
        QStringList seen;
        window.Run(
            [&] {
                worker = std::thread([&] {
                    dispatcher.Invoke([&] { window.SetMax(3); });
                    for (int i = 0; i < 3; ++i) {
                        dispatcher.Invoke([&, i] {
                            window.SetText("Sending line " + std::to_string(i + 1));
                            window.Step();
                            seen << window.Text();
                        });
                    }
                    dispatcher.Invoke([&] { window.Close(); });
                });
            },
            [&] { cancelRequested = true; });
        worker.join();
        QCOMPARE(seen, (QStringList{"Sending line 1", "Sending line 2", "Sending line 3"}));
        QCOMPARE(window.Bar()->value(), 3);
        QVERIFY(!cancelRequested);
    }
};

}  // namespace

std::unique_ptr<QObject> MakeDialogsTest() { return std::make_unique<DialogsTest>(); }

}  // namespace qx::test

#include "dialogs_test.moc"
