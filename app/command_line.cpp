#include "command_line.h"

#include <cstring>
#include <optional>

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

}  // namespace

bool IsMineCommand(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], "mine") == 0; }

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
        "\n"
        "Host options (base addresses such as https://www.baidu.com):\n"
        "  --baidu-host URL  --google-host URL  --taobao-host URL  --vendor-host URL\n"
        "  --demo            serve every host from built-in loopback servers\n");
}

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine cl;
    int i = 1;
    if (args.size() > 1 && args.at(1) == u"mine") {
        cl.mode = CommandLine::Mode::Mine;
        i = 2;
    }
    bool haveKeyword = false;
    auto fail = [&cl](const QString& why) {
        if (cl.error.isEmpty()) cl.error = why;
    };

    for (; i < args.size(); ++i) {
        QString arg = args.at(i);
        std::optional<QString> inlineValue;
        if (arg.startsWith(u"--") && arg.contains(u'=')) {
            const qsizetype eq = arg.indexOf(u'=');
            inlineValue = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        auto value = [&]() -> std::optional<QString> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return args.at(++i);
            fail(QStringLiteral("%1 needs a value").arg(arg));
            return std::nullopt;
        };
        auto host = [&](QUrl& target) {
            if (const auto v = value()) {
                if (const auto url = HostUrl(*v))
                    target = *url;
                else
                    fail(QStringLiteral("%1: not an http or https address: %2").arg(arg, *v));
            }
        };

        if (arg == u"--help" || arg == u"-h") {
            cl.mode = CommandLine::Mode::Help;
        } else if (arg == u"--demo") {
            cl.demo = true;
        } else if (arg == u"--baidu-host") {
            host(cl.config.hosts.baidu);
        } else if (arg == u"--google-host") {
            host(cl.config.hosts.google);
        } else if (arg == u"--taobao-host") {
            host(cl.config.hosts.taobao);
        } else if (arg == u"--vendor-host") {
            host(cl.config.vendor);
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--engine") {
            if (const auto v = value()) {
                if (const auto e = EngineNamed(*v))
                    cl.engine = *e;
                else
                    fail(QStringLiteral("unknown engine: %1").arg(*v));
            }
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--contains") {
            cl.contains = true;
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--out") {
            if (const auto v = value()) cl.outDir = *v;
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--verbose") {
            cl.verbose = true;
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--stop-when-blocked") {
            cl.stopWhenBlocked = true;
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--delay") {
            if (const auto v = value()) {
                if (const auto n = Number(*v, 0, kMaxDelayMs))
                    cl.delayMs = *n;
                else
                    fail(QStringLiteral("--delay takes milliseconds from 0 to %1: %2")
                             .arg(kMaxDelayMs)
                             .arg(*v));
            }
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--limit") {
            if (const auto v = value()) {
                if (const auto n = Number(*v, 1, mining::ResultList::kMaxEntries))
                    cl.limit = *n;
                else
                    fail(QStringLiteral("--limit takes a number from 1 to %1: %2")
                             .arg(mining::ResultList::kMaxEntries)
                             .arg(*v));
            }
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--marker") {
            if (const auto v = value()) {
                if (v->isEmpty())
                    fail(QStringLiteral("--marker needs a text"));
                else
                    cl.marker = *v;
            }
        } else if (cl.mode == CommandLine::Mode::Mine && arg == u"--format") {
            if (const auto v = value()) {
                if (const auto f = FormatNamed(*v))
                    cl.format = *f;
                else
                    fail(QStringLiteral("unknown format: %1").arg(*v));
            }
        } else if (cl.mode == CommandLine::Mode::Mine && !haveKeyword &&
                   (!arg.startsWith(u"-") || arg == u"-")) {
            cl.keyword = args.at(i);
            haveKeyword = true;
        } else {
            fail(QStringLiteral("unexpected argument: %1").arg(args.at(i)));
        }
    }
    if (cl.mode == CommandLine::Mode::Mine && cl.error.isEmpty()) {
        if (!haveKeyword)
            fail(QStringLiteral("mine needs a KEYWORD"));
        else if (cl.keyword.isEmpty())
            fail(QStringLiteral("请先输入源关键词"));
    }
    return cl;
}
