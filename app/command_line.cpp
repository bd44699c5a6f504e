#include "command_line.h"

#include <QCommandLineParser>

#include <optional>

#include "cli/standard_options.h"

namespace {

std::optional<QUrl> HostUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
    if (url.scheme() != u"http" && url.scheme() != u"https") return std::nullopt;
    return url;
}

std::optional<mining::Engine> EngineNamed(const QString& name) {
    for (const auto engine :
         {mining::Engine::Baidu, mining::Engine::Google, mining::Engine::Taobao})
        if (name == mining::EngineName(engine)) return engine;
    return std::nullopt;
}

std::optional<CommandLine::Format> FormatNamed(const QString& name) {
    if (name == u"text") return CommandLine::Format::Text;
    if (name == u"csv") return CommandLine::Format::Csv;
    if (name == u"json") return CommandLine::Format::Json;
    return std::nullopt;
}

// A whole decimal number within [low, high], nothing else.
std::optional<int> Number(const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
}

// An hour between two requests is already more than any engine asks for.
constexpr int kMaxDelayMs = 3600000;

QCommandLineOption Valued(const char* name) {
    return {QString::fromLatin1(name), QString(), QStringLiteral("value")};
}

const char* const kHostOptions[] = {"baidu-host", "google-host", "taobao-host", "vendor-host"};

// The options of `quelvo mine` alone.
constexpr struct {
    const char* name;
    bool valued;
} kMineOptions[] = {{"engine", true},    {"out", true},      {"format", true},
                    {"delay", true},     {"limit", true},    {"marker", true},
                    {"contains", false}, {"verbose", false}, {"stop-when-blocked", false}};

// Reads the options of `quelvo mine` into `cl`; the first bad one becomes its error.
void ReadMineOptions(const QCommandLineParser& p, CommandLine& cl) {
    auto fail = [&cl](const QString& why) {
        if (cl.error.isEmpty()) cl.error = why;
    };
    auto value = [&p](const char* name) -> std::optional<QString> {
        const QString key = QString::fromLatin1(name);
        if (!p.isSet(key)) return std::nullopt;
        return p.value(key);
    };
    if (const auto v = value("engine")) {
        if (const auto e = EngineNamed(*v))
            cl.engine = *e;
        else
            fail(QStringLiteral("unknown engine: %1").arg(*v));
    }
    if (const auto v = value("out")) cl.outDir = *v;
    if (const auto v = value("format")) {
        if (const auto f = FormatNamed(*v))
            cl.format = *f;
        else
            fail(QStringLiteral("unknown format: %1").arg(*v));
    }
    if (const auto v = value("delay")) {
        if (const auto n = Number(*v, 0, kMaxDelayMs))
            cl.delayMs = *n;
        else
            fail(QStringLiteral("--delay takes milliseconds from 0 to %1: %2")
                     .arg(kMaxDelayMs)
                     .arg(*v));
    }
    if (const auto v = value("limit")) {
        if (const auto n = Number(*v, 1, mining::ResultList::kMaxEntries))
            cl.limit = *n;
        else
            fail(QStringLiteral("--limit takes a number from 1 to %1: %2")
                     .arg(mining::ResultList::kMaxEntries)
                     .arg(*v));
    }
    if (const auto v = value("marker")) {
        if (v->isEmpty())
            fail(QStringLiteral("--marker needs a text"));
        else
            cl.marker = *v;
    }
    cl.contains = p.isSet(QStringLiteral("contains"));
    cl.verbose = p.isSet(QStringLiteral("verbose"));
    cl.stopWhenBlocked = p.isSet(QStringLiteral("stop-when-blocked"));
}

}  // namespace

QString UsageText() {
    return QStringLiteral(
        "Usage:\n"
        "  quelvo [--demo] [host options]\n"
        "      start the main window\n"
        "  quelvo mine KEYWORD [--engine baidu|google|taobao] [--contains] [--out DIR]\n"
        "              [--format text|csv|json] [--verbose] [--delay MS] [--limit N]\n"
        "              [--marker TEXT] [--stop-when-blocked] [--demo] [host options]\n"
        "      mine without a window: progress and a summary on stderr, the list on stdout;\n"
        "      exit status 0, or 1 when no page at all could be fetched\n"
        "  quelvo --help | --version\n"
        "\n"
        "Host options (base addresses such as https://www.baidu.com):\n"
        "  --baidu-host URL  --google-host URL  --taobao-host URL  --vendor-host URL\n"
        "  --demo            serve every host from built-in loopback servers\n"
        "\n"
        "Bad arguments end with exit status 2.\n");
}

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine cl;
    QCommandLineParser p;
    cli::AddStandardOptions(p);
    p.addOption({QStringLiteral("demo"), QString()});
    for (const char* name : kHostOptions) p.addOption(Valued(name));
    for (const auto& option : kMineOptions)
        p.addOption(option.valued
                        ? Valued(option.name)
                        : QCommandLineOption(QString::fromLatin1(option.name), QString()));
    if (!p.parse(args)) {
        cl.error = p.errorText();
        return cl;
    }
    if (p.isSet(QStringLiteral("help"))) {
        cl.mode = CommandLine::Mode::Help;
        return cl;
    }
    if (p.isSet(QStringLiteral("version"))) {
        cl.mode = CommandLine::Mode::Version;
        return cl;
    }

    cl.demo = p.isSet(QStringLiteral("demo"));
    const struct {
        const char* name;
        QUrl& target;
    } hosts[] = {{"baidu-host", cl.config.hosts.baidu},
                 {"google-host", cl.config.hosts.google},
                 {"taobao-host", cl.config.hosts.taobao},
                 {"vendor-host", cl.config.vendor}};
    for (const auto& host : hosts) {
        const QString key = QString::fromLatin1(host.name);
        if (!p.isSet(key)) continue;
        if (const auto url = HostUrl(p.value(key)))
            host.target = *url;
        else if (cl.error.isEmpty())
            cl.error =
                QStringLiteral("--%1: not an http or https address: %2").arg(key, p.value(key));
    }

    QStringList positional = p.positionalArguments();
    if (positional.value(0) != u"mine") {
        // The window takes no keyword and none of the run's own options.
        if (!positional.isEmpty() && cl.error.isEmpty())
            cl.error = QStringLiteral("unexpected argument: %1").arg(positional.first());
        for (const auto& option : kMineOptions)
            if (p.isSet(QString::fromLatin1(option.name)) && cl.error.isEmpty())
                cl.error = QStringLiteral("--%1 goes with quelvo mine only")
                               .arg(QLatin1String(option.name));
        return cl;
    }
    cl.mode = CommandLine::Mode::Mine;
    ReadMineOptions(p, cl);
    positional.removeFirst();
    if (!cl.error.isEmpty()) return cl;
    if (positional.isEmpty())
        cl.error = QStringLiteral("mine needs a KEYWORD");
    else if (positional.size() > 1)
        cl.error = QStringLiteral("unexpected argument: %1").arg(positional.at(1));
    else if (positional.first().isEmpty())
        cl.error = QStringLiteral("请先输入源关键词");
    else
        cl.keyword = positional.first();
    return cl;
}
