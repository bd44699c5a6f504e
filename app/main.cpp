#include <QApplication>
#include <QCoreApplication>

#include <unistd.h>
#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/demo_server.h"
#include "app/dialogs.h"
#include "app/display.h"
#include "app/engine_check.h"
#include "app/engines_command.h"
#include "app/frm_main.h"
#include "app/headless_mine.h"
#include "app/qt_translations.h"
#include "app/quiet_notices.h"
#include "cli/standard_options.h"

namespace {

// Starts the demo servers when asked and points the hosts at them; false when they could not
// start.
bool StartDemo(CommandLine& cl, std::unique_ptr<sim::SimServer>& demo) {
    if (!cl.demo || (demo = StartDemoServer(cl.config, cl.given))) return true;
    std::fputs("quelvo: the demo servers could not start\n", stderr);
    return false;
}

// The commands without a window: mine, engines, check.
int Headless(int argc, char** argv, CommandLine& cl) {
    QCoreApplication app(argc, argv);
    std::unique_ptr<sim::SimServer> demo;
    if (!StartDemo(cl, demo)) return 1;
    switch (cl.mode) {
        case CommandLine::Mode::Engines:
            return RunEngines(cl, stdout, stderr);
        case CommandLine::Mode::Check:
            return RunCheck(cl, stdout, stderr);
        default:
            break;
    }
    return RunHeadlessMine(cl, stdout, stderr);
}

int Window(int argc, char** argv, CommandLine& cl) {
    if (!HasDisplay()) {
        std::fputs(
            "quelvo: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
            "is set); to mine without one, use 'quelvo mine KEYWORD'\n",
            stderr);
        return cli::kUsageStatus;
    }
    // The browser engine's sandbox cannot run as root; without this the banner would not load.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QtTranslations qtWords(QLocale::system());
    std::unique_ptr<sim::SimServer> demo;
    if (!StartDemo(cl, demo)) return 1;
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
    const QuietNotices quiet;
    // Parsed before any application object exists: help, version and bad arguments need no
    // display.
    CommandLine cl = ParseCommandLine(cli::Arguments(argc, argv));
    if (!cl.error.isEmpty()) return cli::UsageError(QStringLiteral("quelvo"), cl.error);
    switch (cl.mode) {
        case CommandLine::Mode::Help:
            std::fputs(UsageText().toUtf8().constData(), stdout);
            return 0;
        case CommandLine::Mode::Version:
            std::fputs((cli::VersionLine() + u'\n').toUtf8().constData(), stdout);
            return 0;
        case CommandLine::Mode::Mine:
        case CommandLine::Mode::Engines:
        case CommandLine::Mode::Check:
            return Headless(argc, argv, cl);
        case CommandLine::Mode::Window:
            break;
    }
    return Window(argc, argv, cl);
}
