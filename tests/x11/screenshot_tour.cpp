// qx_screenshot_tour FOLDER [SCALE]: the real window under Xvfb and openbox
// (title bars and all), against qxsim, shown page by page and dialog by
// dialog through real clicks; each is saved as FOLDER/NAME.png as the screen
// shows it. SCALE (default 1) is the window's scale factor. scripts/screenshot
// runs it; the README's picture is its main-window.png. Every window shown
// is checked for cut text (a label or button whose text does not fit): the
// tour names each and fails at the end.

#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

#include "e2e/sim_harness.h"
#include "x11/program_under_test.h"

using namespace qx::x11test;

namespace {

struct Tour {
    ProgramUnderTest& w;
    std::string folder;
    std::vector<std::string> cut;  // "file: what is cut"

    // Saves window `name`, with the frame and title bar the window manager
    // gave it, once it is placed and active.
    void Shoot(const std::string& name, const std::string& file) {
        const ScreenRect client = w.Find(name);
        const unsigned long id = std::stoul(w.Ask("winid " + name));
        // Left, right, top and bottom, set by the manager before it maps the frame.
        const std::vector<long> frame = w.Session().Property(id, "_NET_FRAME_EXTENTS");
        if (frame.size() != 4) throw std::runtime_error(name + " has no frame");
        const std::string path = folder + "/" + file + ".png";
        std::ostringstream grab;
        grab << "grab " << client.x - frame[0] << ' ' << client.y - frame[2] << ' '
             << client.width + frame[0] + frame[1] << ' ' << client.height + frame[2] + frame[3] << ' ' << path;
        const std::string answer = w.Ask(grab.str());
        if (answer != "ok") throw std::runtime_error(grab.str() + ": " + answer);
        std::cout << path << '\n';
        if (const std::string fit = w.Ask("cut " + name); fit != "none") cut.push_back(file + ": " + fit);
    }

    // Brings a page to the front by its tab and saves the main window.
    void Page(const std::string& pages, const std::string& caption, const std::string& file) {
        w.Click("tab:" + pages + ":" + caption);
        w.WaitForAnswer("text " + pages, caption);
        Shoot("TMainForm", file);
    }

    // Opens a dialog (a toolbar button or "Menu>Item"), saves it, closes it
    // with the button captioned `close`.
    void Dialog(const std::string& open, const std::string& dialog, const std::string& file,
                const std::string& close) {
        w.Choose(open);
        Shoot(dialog, file);
        w.Click("button:" + close);
        w.WaitForAnswer("modal", "none");
    }
};

void Run(const std::string& folder, const std::string& scale) {
    std::filesystem::create_directories(folder);
    qx::simtest::TempDir dir;
    XSession x(dir.File(""));
    // Every answer takes a moment, so that the progress window can be seen.
    qx::simtest::SimProcess sim(dir.File("module"), {"--fault", "slow:300"}, dir.File("qxsim.log"));
    // A module history of the tour's own: what its read and comparison keep.
    ProgramUnderTest w(x, dir.File(""), {"--com", "1=" + dir.File("module")},
                       {"QT_SCALE_FACTOR=" + scale, "QX_HISTORY=" + dir.File("history.sqlite3")});
    Tour tour{w, folder, {}};

    tour.Shoot("TMainForm", "main-window");
    // A question of a field's exit rule.
    w.TypeInto("Radio_PackSize", "700");
    w.Click("Radio_TxHold");
    tour.Shoot("MessageBox", "dialog-question");
    w.Click("button:No");
    w.WaitForAnswer("modal", "none");

    tour.Page("Page_Settings", "Serial", "page-serial");
    tour.Page("Page_Settings", "Advanced", "page-advanced");
    tour.Page("Page_Settings", "S Reg", "page-sreg-s0-s5");
    tour.Page("PageControl2", "S6 - S11", "page-sreg-s6-s11");
    tour.Page("PageControl2", "S12 - S17", "page-sreg-s12-s17");
    tour.Page("PageControl2", "S18 - S21", "page-sreg-s18-s21");
    w.Click("rb_CM_Single");
    tour.Page("PageControl1", "Advanced", "page-controlled-advanced");
    tour.Page("PageControl1", "Stored Add", "page-controlled-stored");
    tour.Page("PageControl1", "General", "page-controlled-general");

    tour.Dialog("tb_ComSettings", "TSerialSettingsForm", "dialog-serial-port-setup", "Cancel");
    tour.Dialog("Advanced_Menu>Adv_EscChar", "TEscCharEdit_Form", "dialog-escape-character", "Cancel");
    tour.Dialog("tb_Help", "TForm_HelpAbout", "dialog-about", "OK");
    tour.Dialog("Advanced_Menu>Adv_Diag>Diag_RxBer", "TBERTestForm", "dialog-rx-ber-test", "Close");
    tour.Dialog("Comm_Menu>Comm_Find", "FindModuleDialog", "dialog-find-module", "No");

    // A read would replace the fields the tour changed: the question first,
    // then the progress window of the read, then the read's end.
    w.Click("tb_UpLoad");
    w.MessageBoxText();
    tour.Shoot("MessageBox", "dialog-save-changes");
    w.Click("button:No");
    tour.Shoot("TConfigProgressForm", "dialog-progress");
    w.WaitForAnswer("modal", "none", 60s);
    // One setting the module does not hold, so that the comparison lists it.
    w.TypeInto("ed_TM_SysAdd", "33");
    tour.Dialog("Comm_Menu>Comm_Compare", "CompareDialog", "dialog-compare", "Close");
    tour.Dialog("Comm_Menu>Comm_History", "ModuleHistoryDialog", "dialog-module-history", "Close");

    for (const std::string& line : tour.cut) std::cerr << "cut text in " << line << '\n';
    if (!tour.cut.empty()) throw std::runtime_error("text is cut in " + std::to_string(tour.cut.size()) + " window(s)");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: qx_screenshot_tour FOLDER [SCALE]\n";
        return 2;
    }
    try {
        Run(argv[1], argc == 3 ? argv[2] : "1");
    } catch (const std::exception& e) {
        std::cerr << "qx_screenshot_tour: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
