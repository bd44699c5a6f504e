#pragma once

#include <QString>
#include <QStringList>

#include "app/app_config.h"
#include "mining/engine.h"
#include "mining/result_list.h"

// What the command line asks for.
struct CommandLine {
    enum class Mode { Window, Mine, Help };
    Mode mode = Mode::Window;
    bool demo = false;
    AppConfig config;
    // Headless mining.
    QString keyword;
    mining::Engine engine = mining::Engine::Baidu;
    bool contains = false;
    QString outDir;
    bool verbose = false;
    bool stopWhenBlocked = false;
    int delayMs = 0;
    int limit = mining::ResultList::kMaxEntries;
    QString marker;  // empty: the engine's own
    enum class Format { Text, Csv, Json };
    Format format = Format::Text;
    // Not empty: the arguments were bad.
    QString error;
};

// True when the arguments ask for the headless run (decided before any application object exists).
bool IsMineCommand(int argc, char** argv);
// `args` as QCoreApplication::arguments() gives them, program name first.
CommandLine ParseCommandLine(const QStringList& args);
QString UsageText();
