// Runs the GUI test classes on the real application object (offscreen).
// The first argument names the class to run; the rest go to Qt Test.
#include "Forms.h"

#include <QTest>

#include <cstring>
#include <functional>
#include <map>
#include <memory>

int runFormLayoutTest(int argc, char** argv);
int runExceptionReportTest(int argc, char** argv);
int runEntryTest(int argc, char** argv);
int runCommandsTest(int argc, char** argv);
int runMonkeyTest(int argc, char** argv);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    const std::map<std::string, std::function<int(int, char**)>> suites = {
        { "FormLayout", runFormLayoutTest },
        { "ExceptionReport", runExceptionReportTest },
        { "Entry", runEntryTest },
        { "Commands", runCommandsTest },
        { "Monkey", runMonkeyTest },
    };
    if (argc < 2 || !suites.count(argv[1])) {
        std::fprintf(stderr,
            "usage: gui_tests FormLayout|ExceptionReport|Entry|Commands|Monkey [Qt Test "
            "options]\n");
        return 2;
    }
    TApplication application(argc, argv);
    Application->Initialize();
    const auto& run = suites.at(argv[1]);
    argv[1] = argv[0];
    return run(argc - 1, argv + 1);
}
