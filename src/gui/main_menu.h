#pragma once
// The menu bar MainMenu1: File, Communication, Advanced (with the
// Diagnostics submenu) and Help. Captions use "&" for the access key and
// "&&" for a visible "&". Open is Ctrl+O; Save shows Ctrl+S, which the
// window itself takes (as the toolbar's Save, see TMainForm).

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace qx::gui {

struct MainMenuActions {
    QMenu* File_Menu;
    QAction* File_New;
    QAction* File_Open;
    QAction* File_Save;
    QAction* File_SaveAs;
    QAction* File_SaveLog;
    QAction* N1;  // the separator before Exit
    QAction* File_Exit;
    QAction* Comm_Read;
    QAction* Comm_Configure;
    QAction* Comm_Verify;  // checkable: read the module back after Configure
    QAction* Comm_Backup;  // checkable: keep the module's configuration in the history before Configure
    QAction* Comm_Find;
    QAction* Comm_Compare;
    QAction* Comm_History;
    QAction* Comm_Serial;
    QAction* Adv_Defaults;
    QAction* Diag_TxBer;
    QAction* Diag_RxBer;
    QAction* Diag_TxRxBer;
    QAction* Diag_RSSI;
    QAction* Adv_EscChar;
    QAction* Help_About;
};

MainMenuActions BuildMainMenu(QMenuBar* bar);

}  // namespace qx::gui
