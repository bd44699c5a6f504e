#include <gtest/gtest.h>

#include <QRegularExpression>

#include "app/command_line.h"
#include "app/demo_server.h"

namespace {
CommandLine Parse(QStringList args) {
    args.prepend("quelvo");
    return ParseCommandLine(args);
}
}  // namespace

TEST(CommandLine, WindowModeHostsAndDemo) {
    CommandLine cl =
        Parse({"--demo", "--baidu-host", "http://127.0.0.1:9/", "--vendor-host=https://v.test"});
    EXPECT_EQ(std::tuple(cl.mode, cl.error, cl.demo, cl.config.hosts.baidu, cl.config.vendor),
              std::tuple(CommandLine::Mode::Window, QString(), true, QUrl("http://127.0.0.1:9/"),
                         QUrl("https://v.test")));
    // The demo serves only the hosts not named.
    const auto server = StartDemoServer(cl.config, cl.given);
    EXPECT_EQ(cl.config.vendor, QUrl("https://v.test"));
    EXPECT_EQ(cl.config.hosts.google, server->baseUrl());
}

// What each option does is for the commands' tests, which give them through this parser; here
// what only the parser decides, and the options no command's test gives.
TEST(CommandLine, MineAndCheckArguments) {
    const CommandLine cl = Parse({"mine", "手机", "--contains", "--limit=32767"});
    EXPECT_EQ(std::tuple(cl.mode, cl.error, cl.keyword, cl.contains, cl.limit),
              std::tuple(CommandLine::Mode::Mine, QString(), QStringLiteral("手机"), true, 32767));
    // Blanks pass; the run trims them. Options may come first; "--" ends them.
    EXPECT_TRUE(Parse({"mine", "  "}).error.isEmpty());
    const CommandLine dashes = Parse({"--demo", "mine", "--", "-x"});
    EXPECT_EQ(std::tuple(dashes.keyword, dashes.demo), std::tuple(QStringLiteral("-x"), true));
    const CommandLine check = Parse({"check", "--source", "suggest"});
    EXPECT_EQ(std::tuple(check.mode, check.sourceSet, check.source),
              std::tuple(CommandLine::Mode::Check, true, mining::Source::Suggest));
}

TEST(CommandLine, HelpAndVersionWinOverAMissingKeywordHelpExplainsEachOption) {
    EXPECT_EQ(Parse({"mine", "--help"}).mode, CommandLine::Mode::Help);
    EXPECT_TRUE(Parse({"mine", "--version"}).error.isEmpty());
    // The help explains every option in a line of its own.
    for (const char* option :
         {"engine", "contains", "out", "format", "verbose", "delay", "limit", "marker",
          "stop-when-blocked", "baidu-host", "google-host", "taobao-host", "vendor-host", "demo",
          "source", "engines", "probe", "write"})
        EXPECT_TRUE(UsageText().contains(QRegularExpression(
            QStringLiteral("\\n  --%1\\b[^\\n]* {2,}\\S[^\\n]{12,}").arg(option))))
            << option;
}

// Bad command lines, each split at its spaces ("mine " gives an empty keyword), "|" between them.
TEST(CommandLine, BadArgumentsAreReported) {
    const QString cases = QStringLiteral(
        "mine|mine |mine a b|mine a --engine bing|mine a --out|mine a --limit=x|mine a --delay -1|"
        "mine a --delay 1.5|mine a --limit 0|mine a --limit 32768|mine a --marker |"
        "mine a --format xml|mine a --source both|mine a --source suggest --marker <p>|"
        "check --format csv|check x|engines --engine baidu|--verbose|--baidu-host ftp://x|"
        "--baidu-host http:///x|--bogus|-x|--demo=1");
    for (const QString& bad : cases.split(u'|')) {
        // One wording for all: which argument, what it takes, what it got.
        EXPECT_TRUE(
            Parse(bad.split(u' '))
                .error.contains(QRegularExpression("^(--?[a-z-]+|KEYWORD): expected .+, got .+$")))
            << bad.toStdString();
    }
}
