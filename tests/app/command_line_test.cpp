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
    EXPECT_EQ(cl.mode, CommandLine::Mode::Window);
    EXPECT_TRUE(cl.error.isEmpty());
    EXPECT_TRUE(cl.demo);
    EXPECT_EQ(cl.config.hosts.baidu, QUrl("http://127.0.0.1:9/"));
    EXPECT_TRUE(cl.config.hosts.google.isEmpty());
    EXPECT_EQ(cl.config.vendor, QUrl("https://v.test"));
    // The demo serves only the hosts not named.
    const auto server = StartDemoServer(cl.config, cl.given);
    EXPECT_EQ(cl.config.vendor, QUrl("https://v.test"));
    EXPECT_EQ(cl.config.hosts.google, server->baseUrl());
}

TEST(CommandLine, MineArguments) {
    const CommandLine cl = Parse({"mine",      "手机",       "--engine",
                                  "taobao",    "--contains", "--out",
                                  "/tmp/x",    "--verbose",  "--stop-when-blocked",
                                  "--delay",   "250",        "--limit=32767",
                                  "--marker",  "<p><a",      "--format",
                                  "json",      "--source",   "related",
                                  "--engines", "/e.json"});
    EXPECT_EQ(cl.mode, CommandLine::Mode::Mine);
    EXPECT_TRUE(cl.error.isEmpty());
    EXPECT_EQ(cl.keyword, "手机");
    EXPECT_EQ(cl.engine, mining::Engine::Taobao);
    EXPECT_TRUE(cl.contains);
    EXPECT_EQ(cl.outDir, "/tmp/x");
    EXPECT_TRUE(cl.verbose && cl.stopWhenBlocked);
    EXPECT_EQ(cl.delayMs, 250);
    EXPECT_EQ(cl.limit, 32767);
    EXPECT_EQ(cl.marker, "<p><a");
    EXPECT_EQ(cl.format, CommandLine::Format::Json);
    EXPECT_TRUE(cl.sourceSet);
    EXPECT_EQ(cl.config.enginesFile, "/e.json");
    // Blanks pass; the run trims them. Options may come first; "--" ends them.
    EXPECT_TRUE(Parse({"mine", "  "}).error.isEmpty());
    EXPECT_EQ(Parse({"--demo", "mine", "--", "-x"}).keyword, "-x");
    EXPECT_TRUE(Parse({"--demo", "mine", "--", "-x"}).demo);
}

TEST(CommandLine, EnginesAndCheck) {
    const CommandLine check = Parse({"check", "--engine", "google", "--probe", "手表", "--format",
                                     "json", "--demo", "--source", "suggest"});
    EXPECT_EQ(check.mode, CommandLine::Mode::Check);
    EXPECT_TRUE(check.error.isEmpty());
    EXPECT_TRUE(check.engineSet && check.sourceSet);
    EXPECT_EQ(check.source, mining::Source::Suggest);
    EXPECT_EQ(check.engine, mining::Engine::Google);
    EXPECT_EQ(check.probe, "手表");
    const CommandLine engines = Parse({"engines", "--write", "/tmp/e.json"});
    EXPECT_EQ(engines.mode, CommandLine::Mode::Engines);
    EXPECT_EQ(engines.writeFile, "/tmp/e.json");
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

TEST(CommandLine, BadArgumentsAreReported) {
    for (const QStringList& bad : {QStringList{"mine"},
                                   {"mine", ""},
                                   {"mine", "a", "b"},
                                   {"mine", "a", "--engine", "bing"},
                                   {"mine", "a", "--out"},
                                   {"mine", "a", "--limit=x"},
                                   {"mine", "a", "--delay", "-1"},
                                   {"mine", "a", "--delay", "1.5"},
                                   {"mine", "a", "--limit", "0"},
                                   {"mine", "a", "--limit", "32768"},
                                   {"mine", "a", "--marker", ""},
                                   {"mine", "a", "--format", "xml"},
                                   {"mine", "a", "--source", "both"},
                                   {"mine", "a", "--source", "suggest", "--marker", "<p>"},
                                   {"check", "--format", "csv"},
                                   {"check", "x"},
                                   {"engines", "--engine", "baidu"},
                                   {"--verbose"},
                                   {"--baidu-host", "ftp://x"},
                                   {"--baidu-host", "not a url"},
                                   {"--bogus"},
                                   {"-x"},
                                   {"--demo=1"}})
        // One wording for all: which argument, what it takes, what it got.
        EXPECT_TRUE(Parse(bad).error.contains(
            QRegularExpression("^(--?[a-z-]+|KEYWORD): expected .+, got .+$")))
            << bad.join(' ').toStdString();
}
