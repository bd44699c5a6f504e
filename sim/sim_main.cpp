#include "cli/standard_options.h"
#include "sim/sim_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

struct Settings {
    int port = 0;
    int blockAfter = -1;
    int vendorLatencyMs = 0;
    sim::EngineOptions options;
};

std::optional<int> IntOption(const QCommandLineParser& parser, const QString& name, int low,
                             int high, int fallback) {
    if (!parser.isSet(name)) return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

// Reads the command line; an error text on bad arguments.
std::optional<Settings> ParseSettings(QCommandLineParser& parser, const QStringList& arguments,
                                      QString& error) {
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: ") + parser.positionalArguments().first();
        return std::nullopt;
    }
    Settings settings;
    const sim::EngineOptions defaults;
    const struct {
        const char* name;
        int low, high, fallback;
        int* target;
    } numbers[] = {
        {"port", 0, 65535, 0, &settings.port},
        {"fan-out", 0, sim::kMaxFanOut, defaults.fanOut, &settings.options.fanOut},
        {"depth", 0, sim::kVocabularySize, defaults.depth, &settings.options.depth},
        {"latency", 0, 600000, 0, &settings.options.latencyMs},
        {"block-after", 0, 1000000000, -1, &settings.blockAfter},
        {"vendor-latency", 0, 600000, 0, &settings.vendorLatencyMs},
    };
    for (const auto& number : numbers) {
        const QString name = QLatin1String(number.name);
        const auto value = IntOption(parser, name, number.low, number.high, number.fallback);
        if (!value) {
            error = QStringLiteral("--%1 takes a number from %2 to %3")
                        .arg(name)
                        .arg(number.low)
                        .arg(number.high);
            return std::nullopt;
        }
        *number.target = *value;
    }
    const QString charset = parser.value(QStringLiteral("charset"));
    if (charset == QLatin1String("gbk")) {
        settings.options.charset = sim::BodyCharset::Gbk;
    } else if (charset == QLatin1String("utf8-bom")) {
        settings.options.charset = sim::BodyCharset::Utf8Bom;
    } else if (charset != QLatin1String("utf8")) {
        error = QStringLiteral("unknown charset: ") + charset;
        return std::nullopt;
    }
    return settings;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quelvo-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves stand-in search engine pages and vendor pages on 127.0.0.1.\n"
                       "Prints its base address on the first line, then runs until killed."));
    cli::AddStandardOptions(parser);
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Port to listen on (0 = any free port)."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("fan-out"),
         QStringLiteral("Related keywords per page (0-%1).").arg(sim::kMaxFanOut),
         QStringLiteral("N")},
        {QStringLiteral("depth"),
         QStringLiteral("Levels below a root keyword (0-%1).").arg(sim::kVocabularySize),
         QStringLiteral("N")},
        {QStringLiteral("charset"), QStringLiteral("Page bodies: utf8, utf8-bom or gbk."),
         QStringLiteral("NAME"), QStringLiteral("utf8")},
        {QStringLiteral("latency"), QStringLiteral("Delay before each engine answer."),
         QStringLiteral("MS"), QStringLiteral("0")},
        {QStringLiteral("block-after"),
         QStringLiteral("Answer every engine request (pages and suggestions) after the first "
                        "N with the engine's verification page."),
         QStringLiteral("N")},
        {QStringLiteral("vendor-latency"), QStringLiteral("Delay before each vendor answer."),
         QStringLiteral("MS"), QStringLiteral("0")},
    });

    QString error;
    const auto settings = ParseSettings(parser, QCoreApplication::arguments(), error);
    if (!settings) return cli::UsageError(QStringLiteral("quelvo-sim"), error);
    if (const auto status = cli::AnswerHelpOrVersion(parser, parser.helpText())) return *status;

    sim::SimServer server;
    server.setEngineOptions(settings->options);
    server.setBlockAfter(settings->blockAfter);
    server.setVendorLatency(settings->vendorLatencyMs);
    if (!server.listen(static_cast<quint16>(settings->port))) {
        std::fprintf(stderr, "quelvo-sim: cannot listen on 127.0.0.1 port %d\n", settings->port);
        return 1;
    }
    // Whoever started us reads this line to learn the port; it must not sit in a buffer.
    std::printf("%s\n", qPrintable(server.baseUrl().toString()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
