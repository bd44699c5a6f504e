#include <gtest/gtest.h>

#include "run_program.h"

namespace {

struct Executable {
    const char* name;
    const char* path;
    QStringList badArguments;  // a value the program itself rejects, past the parser
};

void PrintTo(const Executable& e, std::ostream* os) { *os << e.name; }

class EveryExecutable : public ::testing::TestWithParam<Executable> {};

TEST_P(EveryExecutable, AnswersHelpAndVersionWithoutADisplay) {
    const Executable& e = GetParam();
    for (const char* help : {"--help", "-h"}) {
        const Ran r = RunBare(e.path, {help});
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_TRUE(r.out.contains("--version")) << help << ": " << r.out.constData();
        EXPECT_EQ(r.err, "") << help;
    }
    for (const char* version : {"--version", "-v"}) {
        const Ran r = RunBare(e.path, {version});
        EXPECT_EQ(r.status, 0) << version;
        EXPECT_EQ(r.out, "Quelvo关键词助手 V2.3\n") << version;
        EXPECT_EQ(r.err, "") << version;
    }
}

TEST_P(EveryExecutable, BadArgumentsGoToStderrWithAHintAndStatus2) {
    const Executable& e = GetParam();
    const QByteArray hint = QByteArray("Try '") + e.name + " --help'.\n";
    for (const QStringList& bad : {QStringList{"--bogus"}, QStringList{"--help", "--bogus"},
                                   QStringList{"--version="}, e.badArguments}) {
        const Ran r = RunBare(e.path, bad);
        const QString args = bad.join(u' ');
        EXPECT_EQ(r.status, 2) << qPrintable(args);
        EXPECT_EQ(r.out, "") << qPrintable(args);
        // One line naming the program and the fault, then the hint.
        EXPECT_TRUE(r.err.startsWith(QByteArray(e.name) + ": ")) << r.err.constData();
        EXPECT_TRUE(r.err.endsWith(hint)) << r.err.constData();
        EXPECT_EQ(r.err.count('\n'), 2) << r.err.constData();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Package, EveryExecutable,
    ::testing::Values(Executable{"quelvo", QUELVO_EXE, {"mine", "k", "--limit", "0"}},
                      Executable{"anigif", ANIGIF_EXE, {"export", "a.gif", "x", "b.gif"}},
                      Executable{"quelvo-sim", QUELVO_SIM_EXE, {"--charset", "latin1"}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, '-');
        return name;
    });

TEST(Quelvo, WithoutADisplayPointsToMineInOneLineInsteadOfAborting) {
    const Ran r = RunBare(QUELVO_EXE, {"--demo"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    EXPECT_TRUE(r.err.startsWith("quelvo: no display")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("quelvo mine")) << r.err.constData();
}

}  // namespace
