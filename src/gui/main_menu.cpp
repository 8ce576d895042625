#include "main_menu.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace qx::gui {
namespace {

QMenu* AddMenu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

}  // namespace

MainMenuActions BuildMainMenu(QMenuBar* bar) {
    bar->setObjectName(QStringLiteral("MainMenu1"));
    MainMenuActions a{};

    QMenu* file = a.File_Menu = AddMenu(bar, "File_Menu", "&File");
    a.File_New = AddItem(file, "File_New", "&New");
    a.File_Open = AddItem(file, "File_Open", "&Open");
    a.File_Open->setShortcut(QKeySequence::Open);
    a.File_Save = AddItem(file, "File_Save", "&Save");
    a.File_Save->setShortcut(QKeySequence::Save);
    // Shown in the menu, taken only there: elsewhere the window's own
    // shortcut saves as the toolbar's Save does.
    a.File_Save->setShortcutContext(Qt::WidgetShortcut);
    a.File_SaveAs = AddItem(file, "File_SaveAs", "Save &As");
    a.File_SaveLog = AddItem(file, "File_SaveLog", "Save &Log...");
    a.N1 = AddSeparator(file, "N1");
    a.File_Exit = AddItem(file, "File_Exit", "E&xit");
    bar->addMenu(file);

    QMenu* comm = AddMenu(bar, "Comm_Menu", "&Communication");
    a.Comm_Read = AddItem(comm, "Comm_Read", "&Read Module Configuration");
    a.Comm_Configure = AddItem(comm, "Comm_Configure", "&Configure Module");
    // Off at every start: a choice for this run only.
    a.Comm_Verify = AddItem(comm, "Comm_Verify", "&Verify after Configure");
    a.Comm_Verify->setCheckable(true);
    // Off at every start too: a Configure's exchanges stay as they are
    // unless the user asks for the read before them.
    a.Comm_Backup = AddItem(comm, "Comm_Backup", "&Back Up Module before Configure");
    a.Comm_Backup->setCheckable(true);
    AddSeparator(comm, "N4");
    a.Comm_Find = AddItem(comm, "Comm_Find", "&Find Module...");
    a.Comm_Compare = AddItem(comm, "Comm_Compare", "Co&mpare with Module...");
    a.Comm_History = AddItem(comm, "Comm_History", "Module &History...");
    AddSeparator(comm, "N3");
    a.Comm_Serial = AddItem(comm, "Comm_Serial", "Com &Port Settings");
    bar->addMenu(comm);

    QMenu* advanced = AddMenu(bar, "Advanced_Menu", "Ad&vanced");
    a.Adv_Defaults = AddItem(advanced, "Adv_Defaults", "R&estore Factory Defaults");
    QMenu* diagnostics = AddMenu(advanced, "Adv_Diag", "&Diagnostics");
    a.Diag_TxBer = AddItem(diagnostics, "Diag_TxBer", "Start Tx BER Test");
    a.Diag_RxBer = AddItem(diagnostics, "Diag_RxBer", "Rx BER Test");
    a.Diag_TxRxBer = AddItem(diagnostics, "Diag_TxRxBer", "Tx && Rx BER Test");
    a.Diag_RSSI = AddItem(diagnostics, "Diag_RSSI", "RSSI Measurement");
    advanced->addMenu(diagnostics);
    a.Adv_EscChar = AddItem(advanced, "Adv_EscChar", "Escape Character");
    bar->addMenu(advanced);

    QMenu* help = AddMenu(bar, "Help_Menu", "&Help");
    a.Help_About = AddItem(help, "Help_About", "A&bout");
    bar->addMenu(help);
    return a;
}

}  // namespace qx::gui
