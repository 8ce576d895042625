// Cfg_QX7TR: the desktop configuration window. The model it serves comes
// from the executable's own file name (Cfg_QX5T, a link to the same
// program, serves the basic model).

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/model_variant.h"
#include "operations/workspace.h"
#include "application_look.h"
#include "com_port_options.h"
#include "command_line_help.h"
#include "main_form.h"
#include "qt_module_commands.h"
#include "qt_prompter.h"
#include "qt_text.h"
#include "self_test.h"
#include "start_options.h"
#include "stream_prompter.h"
#include "window_history.h"
#include "window_probe.h"

using namespace qx;
using namespace qx::gui;

int main(int argc, char** argv) {
    // Before the application: no display is needed to answer these.
    if (const auto answered = AnswerInformationOptions(argc > 0 ? argv[0] : "Cfg_QX7TR",
                                                       std::vector<std::string>(argv + std::min(argc, 1), argv + argc),
                                                       std::cout))
        return *answered;
    // "--com N=PATH" first, also before the application, so that a usage
    // error needs no display: the configuration-file rule looks at the
    // first argument that remains.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    const ComPortOptions com = ParseComPortOptions(arguments);
    if (!com.error.isEmpty()) {
        std::cerr << FromQ(com.error) << '\n';
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(ToQ(kApplicationTitle));
    ApplyApplicationLook(app);
    const StartOptions options = ParseStartOptions(com.remaining);
    const bool unattended = options.selfTest || !options.screenshot.isEmpty();

    QtPrompter boxes;
    StreamPrompter printed;
    Prompter& prompter = unattended ? static_cast<Prompter&>(printed) : boxes;

    // argv[0] as started: the application's own path would be resolved
    // through the Cfg_QX5T link and name the main model.
    const std::optional<ModelVariant> variant = SelectModelVariant(argc > 0 ? argv[0] : "");
    if (!variant) {
        Tell(prompter, MessageKind::Error, std::string(kFilenameErrorText));
        return 1;
    }

    Workspace workspace(*variant, prompter);
    // Its entries name the program as started (Cfg_QX7TR, Cfg_QX5T).
    WindowHistory history(FromQ(QFileInfo(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")).completeBaseName()));
    TMainForm form(workspace);
    boxes.SetParent(&form);
    form.SetPortMap(com.ports);
    form.SetModuleCommands(std::make_unique<QtModuleCommands>(form, &history));

    std::unique_ptr<WindowProbe> probe;
    if (options.probe) probe = std::make_unique<WindowProbe>();

    form.show();  // the show step starts the workspace (defaults, host serial settings)
    form.OpenCommandLineFile(options.file);

    if (options.selfTest) {
        std::cout << DescribeStartedWindow(form) << std::flush;
        return 0;
    }
    if (!options.screenshot.isEmpty()) {
        QCoreApplication::processEvents();
        const bool saved = form.grab().save(options.screenshot, "PNG");
        if (!saved) std::cerr << "cannot write " << FromQ(options.screenshot) << '\n';
        return saved ? 0 : 1;
    }
    return QApplication::exec();
}
