#include <QApplication>
#include <QCoreApplication>

#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/demo_server.h"
#include "app/dialogs.h"
#include "app/frm_main.h"
#include "app/headless_mine.h"

namespace {

int Usage(const QString& error) {
    if (!error.isEmpty()) std::fprintf(stderr, "quelvo: %s\n", error.toUtf8().constData());
    std::fputs(UsageText().toUtf8().constData(), stderr);
    return 2;
}

// Parses the arguments of the running application and starts the demo servers when asked. Gives
// the exit status instead when there is nothing to run.
std::optional<int> Prepare(CommandLine& cl, std::unique_ptr<sim::SimServer>& demo) {
    cl = ParseCommandLine(QCoreApplication::arguments());
    if (cl.mode == CommandLine::Mode::Help) {
        std::fputs(UsageText().toUtf8().constData(), stdout);
        return 0;
    }
    if (!cl.error.isEmpty()) return Usage(cl.error);
    if (cl.demo && !(demo = StartDemoServer(cl.config))) {
        std::fputs("quelvo: the demo servers could not start\n", stderr);
        return 1;
    }
    return std::nullopt;
}

int Mine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CommandLine cl;
    std::unique_ptr<sim::SimServer> demo;
    if (const auto status = Prepare(cl, demo)) return *status;
    return RunHeadlessMine(cl, stdout, stderr);
}

int Window(int argc, char** argv) {
    // The browser engine's sandbox cannot run as root; without this the banner would not load.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    CommandLine cl;
    std::unique_ptr<sim::SimServer> demo;
    if (const auto status = Prepare(cl, demo)) return *status;
    QtDialogs dialogs;
    FrmMain window(cl.config, dialogs);
    // Closing the main window ends the program at once, whatever else is open or waiting.
    QObject::connect(&window, &FrmMain::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    app.setQuitOnLastWindowClosed(false);
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    // Help needs no display, so it is answered before any application object exists.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(UsageText().toUtf8().constData(), stdout);
            return 0;
        }
    if (IsMineCommand(argc, argv)) return Mine(argc, argv);
    return Window(argc, argv);
}
