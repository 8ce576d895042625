// Runs the window test suites: all of them, or the one named by the first
// argument (the remaining arguments go to Qt Test).

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "application_look.h"
#include "suites.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    qx::gui::ApplyApplicationLook(app);

    const std::vector<std::pair<const char*, std::function<std::unique_ptr<QObject>()>>> suites = {
        {"MainFormTest", qx::test::MakeMainFormTest},
        {"MainFormBindingTest", qx::test::MakeMainFormBindingTest},
        {"DialogsTest", qx::test::MakeDialogsTest},
        {"DispatcherTest", qx::test::MakeDispatcherTest},
        {"VersionBlockTest", qx::test::MakeVersionBlockTest},
        {"ExecutableTest", qx::test::MakeExecutableTest},
        {"FeatureDialogsTest", qx::test::MakeFeatureDialogsTest},
        {"WindowPartsTest", qx::test::MakeWindowPartsTest},
        {"ModuleCommandsTest", qx::test::MakeModuleCommandsTest},
        {"BerTestFormTest", qx::test::MakeBerTestFormTest},
        {"WindowFeaturesTest", qx::test::MakeWindowFeaturesTest},
        {"UserWorkTest", qx::test::MakeUserWorkTest},
        {"ModuleHistoryTest", qx::test::MakeModuleHistoryTest},
    };
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> rest{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i) rest.push_back(argv[i]);

    int failures = 0;
    bool found = false;
    for (const auto& [name, make] : suites) {
        if (only && std::strcmp(only, name) != 0) continue;
        found = true;
        const std::unique_ptr<QObject> suite = make();
        failures += QTest::qExec(suite.get(), static_cast<int>(rest.size()), rest.data());
    }
    if (!found) {
        std::fprintf(stderr, "no test suite named %s\n", only);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
