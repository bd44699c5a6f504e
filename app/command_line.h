#pragma once

#include <QString>
#include <QStringList>

#include "app/app_config.h"
#include "mining/engine.h"
#include "mining/engine_table.h"
#include "mining/result_list.h"

// What the command line asks for.
struct CommandLine {
    enum class Mode { Window, Mine, Engines, Check, Help, Version };
    Mode mode = Mode::Window;
    bool demo = false;
    AppConfig config;
    // Which hosts the command line named; the demo serves only the others.
    HostsGiven given;
    // Headless mining, and the engine and source `check` is limited to when set.
    QString keyword;
    mining::Engine engine = mining::Engine::Baidu;
    bool engineSet = false;
    mining::Source source = mining::Source::Related;
    bool sourceSet = false;
    bool contains = false;
    QString outDir;
    bool verbose = false;
    bool stopWhenBlocked = false;
    int delayMs = 0;
    int limit = mining::ResultList::kMaxEntries;
    QString marker;  // empty: the engine's own
    enum class Format { Text, Csv, Json };
    Format format = Format::Text;
    // `check`: the keyword asked for.
    QString probe = QStringLiteral("手机");
    // `engines --write`: where the defaults go.
    QString writeFile;
    // Not empty: the arguments were bad.
    QString error;
};

// `args` as the program got them, program name first. Needs no application object, so that help,
// version and bad arguments are answered without a display.
CommandLine ParseCommandLine(const QStringList& args);
QString UsageText();
