#pragma once

#include <QString>
#include <QStringList>

#include "app/app_config.h"
#include "mining/engine.h"
#include "mining/result_list.h"

// What the command line asks for.
struct CommandLine {
    enum class Mode { Window, Mine, Help, Version };
    Mode mode = Mode::Window;
    bool demo = false;
    AppConfig config;
    // Which hosts the command line named; the demo serves only the others.
    HostsGiven given;
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

// `args` as the program got them, program name first. Needs no application object, so that help,
// version and bad arguments are answered without a display.
CommandLine ParseCommandLine(const QStringList& args);
QString UsageText();
