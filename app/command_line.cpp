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
    for (const auto engine : mining::kEngines)
        if (name == mining::EngineName(engine)) return engine;
    return std::nullopt;
}

std::optional<mining::Source> SourceNamed(const QString& name) {
    for (const auto source : {mining::Source::Related, mining::Source::Suggest})
        if (name == mining::SourceName(source)) return source;
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

// Every bad argument is told in the same words: which one, what it takes, what it got.
QString Bad(const QString& what, const QString& expected, const QString& got) {
    return QStringLiteral("%1: expected %2, got %3").arg(what, expected, got);
}
QString Quoted(const QString& value) { return u'\'' + value + u'\''; }

// The parser's own complaint (an unknown option, a missing or an unwanted value) in those words.
QString ParserComplaint(const QCommandLineParser& p) {
    if (!p.unknownOptionNames().isEmpty()) {
        const QString name = p.unknownOptionNames().first();
        return Bad(QString(name.size() == 1 ? "-" : "--") + name,
                   QStringLiteral("an option of --help"), QStringLiteral("an unknown option"));
    }
    const QString text = p.errorText();
    const qsizetype open = text.indexOf(u'\'');
    const QString option = text.mid(open + 1, text.lastIndexOf(u'\'') - open - 1);
    if (text.startsWith(QLatin1String("Missing value")))
        return Bad(option, QStringLiteral("a value"), QStringLiteral("none"));
    if (text.startsWith(QLatin1String("Unexpected value")))
        return Bad(option, QStringLiteral("no value"), QStringLiteral("one"));
    return text;
}

// An hour between two requests is already more than any engine asks for.
constexpr int kMaxDelayMs = 3600000;

QCommandLineOption Valued(const char* name) {
    return {QString::fromLatin1(name), QString(), QStringLiteral("value")};
}

const char* const kHostOptions[] = {"baidu-host", "google-host", "taobao-host", "vendor-host"};

// The commands, as flags of the options that go with them.
enum Command : unsigned { kMine = 1, kEngines = 2, kCheck = 4 };
constexpr struct {
    Command command;
    const char* name;
} kCommands[] = {{kMine, "mine"}, {kEngines, "engines"}, {kCheck, "check"}};

// The options of one command or a few, not of the window.
constexpr struct {
    const char* name;
    bool valued;
    unsigned commands;
} kCommandOptions[] = {{"engine", true, kMine | kCheck}, {"source", true, kMine | kCheck},
                       {"format", true, kMine | kCheck}, {"out", true, kMine},
                       {"delay", true, kMine},           {"limit", true, kMine},
                       {"marker", true, kMine},          {"contains", false, kMine},
                       {"verbose", false, kMine},        {"stop-when-blocked", false, kMine},
                       {"probe", true, kCheck},          {"write", true, kEngines}};

// "quelvo mine or quelvo check"
QString CommandsNamed(unsigned commands) {
    QStringList names;
    for (const auto& c : kCommands)
        if (commands & c.command) names << QStringLiteral("quelvo ") + QLatin1String(c.name);
    return names.join(QStringLiteral(" or "));
}

// Reads the options of the commands into `cl`; the first bad one becomes its error.
void ReadCommandOptions(const QCommandLineParser& p, CommandLine& cl) {
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
            fail(Bad(QStringLiteral("--engine"), QStringLiteral("baidu, google or taobao"),
                     Quoted(*v)));
        cl.engineSet = true;
    }
    if (const auto v = value("source")) {
        if (const auto source = SourceNamed(*v))
            cl.source = *source;
        else
            fail(Bad(QStringLiteral("--source"), QStringLiteral("related or suggest"), Quoted(*v)));
        cl.sourceSet = true;
    }
    if (const auto v = value("probe")) {
        if (v->isEmpty())
            fail(Bad(QStringLiteral("--probe"), QStringLiteral("a keyword"), QStringLiteral("''")));
        else
            cl.probe = *v;
    }
    if (const auto v = value("write")) {
        if (v->isEmpty())
            fail(Bad(QStringLiteral("--write"), QStringLiteral("a file"), QStringLiteral("''")));
        else
            cl.writeFile = *v;
    }
    if (const auto v = value("out")) cl.outDir = *v;
    if (const auto v = value("format")) {
        const auto f = FormatNamed(*v);
        if (f && (cl.mode != CommandLine::Mode::Check || *f != CommandLine::Format::Csv))
            cl.format = *f;
        else
            fail(Bad(QStringLiteral("--format"),
                     cl.mode == CommandLine::Mode::Check ? QStringLiteral("text or json")
                                                         : QStringLiteral("text, csv or json"),
                     Quoted(*v)));
    }
    if (const auto v = value("delay")) {
        if (const auto n = Number(*v, 0, kMaxDelayMs))
            cl.delayMs = *n;
        else
            fail(Bad(QStringLiteral("--delay"),
                     QStringLiteral("milliseconds from 0 to %1").arg(kMaxDelayMs), Quoted(*v)));
    }
    if (const auto v = value("limit")) {
        if (const auto n = Number(*v, 1, mining::ResultList::kMaxEntries))
            cl.limit = *n;
        else
            fail(Bad(QStringLiteral("--limit"),
                     QStringLiteral("a number from 1 to %1").arg(mining::ResultList::kMaxEntries),
                     Quoted(*v)));
    }
    if (const auto v = value("marker")) {
        if (v->isEmpty())
            fail(Bad(QStringLiteral("--marker"), QStringLiteral("a text"), QStringLiteral("''")));
        else
            cl.marker = *v;
    }
    // Suggestions have no marker: one given would be ignored in silence.
    if (!cl.marker.isEmpty() && cl.source == mining::Source::Suggest)
        fail(Bad(QStringLiteral("--marker"), QStringLiteral("only with --source related"),
                 QStringLiteral("--source suggest")));
    cl.contains = p.isSet(QStringLiteral("contains"));
    cl.verbose = p.isSet(QStringLiteral("verbose"));
    cl.stopWhenBlocked = p.isSet(QStringLiteral("stop-when-blocked"));
}

}  // namespace

QString UsageText() {
    return QStringLiteral(
        "Usage:\n"
        "  quelvo [--demo] [host options]          start the main window\n"
        "  quelvo mine KEYWORD [options]           mine without a window\n"
        "  quelvo engines [--write FILE]           the engine table in effect\n"
        "  quelvo check [options]                  whether each engine still answers\n"
        "  quelvo --help | --version\n"
        "\n"
        "quelvo mine lists the keywords on stdout and its progress and summary on stderr; it\n"
        "exits with 0, or 1 when no page at all could be fetched.\n"
        "  --engine baidu|google|taobao  the engine whose related searches are mined (baidu)\n"
        "  --source related|suggest  its result page's related searches (related), or the\n"
        "                      suggestions of its search box (suggest)\n"
        "  --contains          keep only keywords that contain KEYWORD\n"
        "  --out DIR           also write the list to DIR/长尾关键词：KEYWORD.txt, as the window "
        "does\n"
        "  --format text|csv|json  the list on stdout: one keyword a line (text), or with\n"
        "                      position, depth, parent, engine and source of each (csv, json)\n"
        "  --verbose           a line on stderr for every page: its outcome and what it added\n"
        "  --delay MS          wait MS milliseconds between two requests (0 to 3600000)\n"
        "  --limit N           stop once N keywords are listed (1 to 32767, the window's limit)\n"
        "  --marker TEXT       look for TEXT before each related search instead of the engine's\n"
        "                      own marker, for an engine whose pages have changed\n"
        "  --stop-when-blocked  end the run at the first verification page of the engine\n"
        "\n"
        "quelvo engines prints each engine's addresses and markers and where they come from;\n"
        "  --write FILE        write the built-in table to FILE, a start for an engines file\n"
        "\n"
        "quelvo check asks each engine for one keyword by its page and by its suggestions and\n"
        "says per line: ok, unreachable, blocked, no-marker or bad-answer; it exits with 0\n"
        "when every line is ok, else 1.\n"
        "  --engine E, --source S  check only that engine, only that source\n"
        "  --probe KEYWORD     the keyword asked for (手机)\n"
        "  --format text|json  a line each, or a JSON array\n"
        "\n"
        "For all of them:\n"
        "  --engines FILE      the engines file (default $XDG_CONFIG_HOME/quelvo/engines.json);\n"
        "                      a bad one ends a command with exit status 2\n"
        "  --baidu-host URL    base address of the Baidu engine (https://www.baidu.com)\n"
        "  --google-host URL   base address of the Google engine (https://www.google.com)\n"
        "  --taobao-host URL   base address of the Taobao engine (https://s.taobao.com)\n"
        "                      (each replaces the host of the engine's related-search address)\n"
        "  --vendor-host URL   base address of the vendor service (banner, update, announcements)\n"
        "  --demo              serve every host not given above from built-in loopback servers\n"
        "\n"
        "Bad arguments end with exit status 2.\n");
}

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine cl;
    QCommandLineParser p;
    cli::AddStandardOptions(p);
    p.addOption({QStringLiteral("demo"), QString()});
    p.addOption(Valued("engines"));
    for (const char* name : kHostOptions) p.addOption(Valued(name));
    for (const auto& option : kCommandOptions)
        p.addOption(option.valued
                        ? Valued(option.name)
                        : QCommandLineOption(QString::fromLatin1(option.name), QString()));
    if (!p.parse(args)) {
        cl.error = ParserComplaint(p);
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
    auto fail = [&cl](const QString& why) {
        if (cl.error.isEmpty()) cl.error = why;
    };

    cl.demo = p.isSet(QStringLiteral("demo"));
    if (p.isSet(QStringLiteral("engines"))) {
        cl.config.enginesFile = p.value(QStringLiteral("engines"));
        if (cl.config.enginesFile.isEmpty())
            fail(Bad(QStringLiteral("--engines"), QStringLiteral("a file"), QStringLiteral("''")));
    }
    const struct {
        const char* name;
        QUrl& target;
        bool& given;
    } hosts[] = {{"baidu-host", cl.config.hosts.baidu, cl.given.baidu},
                 {"google-host", cl.config.hosts.google, cl.given.google},
                 {"taobao-host", cl.config.hosts.taobao, cl.given.taobao},
                 {"vendor-host", cl.config.vendor, cl.given.vendor}};
    for (const auto& host : hosts) {
        const QString key = QString::fromLatin1(host.name);
        if (!p.isSet(key)) continue;
        host.given = true;
        if (const auto url = HostUrl(p.value(key)))
            host.target = *url;
        else
            fail(Bad(QStringLiteral("--") + key, QStringLiteral("an http or https address"),
                     Quoted(p.value(key))));
    }

    QStringList positional = p.positionalArguments();
    unsigned command = 0;
    for (const auto& c : kCommands)
        if (positional.value(0) == QLatin1String(c.name)) command = c.command;
    // The window takes no keyword and none of the commands' own options.
    if (!command && !positional.isEmpty())
        fail(Bad(QStringLiteral("KEYWORD"), QStringLiteral("only after mine"),
                 Quoted(positional.first())));
    for (const auto& option : kCommandOptions)
        if (p.isSet(QString::fromLatin1(option.name)) && !(option.commands & command))
            fail(Bad(QStringLiteral("--") + QString::fromLatin1(option.name),
                     QStringLiteral("only with ") + CommandsNamed(option.commands),
                     command ? QStringLiteral("quelvo ") + positional.first()
                             : QStringLiteral("no command")));
    if (!command) return cl;
    cl.mode = command == kMine    ? CommandLine::Mode::Mine
              : command == kCheck ? CommandLine::Mode::Check
                                  : CommandLine::Mode::Engines;
    ReadCommandOptions(p, cl);
    positional.removeFirst();
    if (!cl.error.isEmpty()) return cl;
    const QString oneKeyword = QStringLiteral("one KEYWORD after mine");
    if (command != kMine) {
        if (!positional.isEmpty())
            fail(Bad(QStringLiteral("KEYWORD"), QStringLiteral("only after mine"),
                     Quoted(positional.first())));
    } else if (positional.isEmpty()) {
        cl.error = Bad(QStringLiteral("KEYWORD"), oneKeyword, QStringLiteral("none"));
    } else if (positional.size() > 1) {
        cl.error = Bad(QStringLiteral("KEYWORD"), oneKeyword,
                       Quoted(positional.at(1)) + QStringLiteral(" too"));
    } else if (positional.first().isEmpty()) {
        cl.error = Bad(QStringLiteral("KEYWORD"), QStringLiteral("a text"), QStringLiteral("''"));
    } else {
        cl.keyword = positional.first();
    }
    return cl;
}
