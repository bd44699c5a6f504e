#include "cli/standard_options.h"

#include <cstdio>

namespace cli {

QString VersionLine() { return QStringLiteral("Quelvo关键词助手 V" QUELVO_VERSION); }

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    args.reserve(argc);
    for (int i = 0; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

void AddStandardOptions(QCommandLineParser& parser) {
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Show the version and exit.")});
}

std::optional<int> AnswerHelpOrVersion(const QCommandLineParser& parser, const QString& help) {
    QString text;
    if (parser.isSet(QStringLiteral("help")))
        text = help;
    else if (parser.isSet(QStringLiteral("version")))
        text = VersionLine() + u'\n';
    else
        return std::nullopt;
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}

int UsageError(const QString& program, const QString& why) {
    std::fputs(QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, why).toUtf8().constData(),
               stderr);
    return kUsageStatus;
}

}  // namespace cli
