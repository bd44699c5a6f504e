#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// The exit status of bad arguments, as with every other command-line tool.
constexpr int kUsageStatus = 2;

// Every executable of the package answers --version with this line.
QString VersionLine();

// The arguments as the program got them, program name first; no application object needed.
QStringList Arguments(int argc, char** argv);

// Adds -h/--help and -v/--version.
void AddStandardOptions(QCommandLineParser& parser);

// After a successful parse: prints `help` or the version line on stdout when asked for and gives
// exit status 0; nothing when neither was asked for.
std::optional<int> AnswerHelpOrVersion(const QCommandLineParser& parser, const QString& help);

// Prints "PROGRAM: WHY" and a hint to --help on stderr; gives kUsageStatus.
int UsageError(const QString& program, const QString& why);

}  // namespace cli
