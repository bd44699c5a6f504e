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

// Help and version go to stdout with status 0; the help names the version option.
TEST_P(EveryExecutable, AnswersHelpAndVersionWithoutADisplay) {
    const Executable& e = GetParam();
    for (const char* option : {"--help", "-h", "--version", "-v"}) {
        const Ran r = RunBare(e.path, {option});
        SCOPED_TRACE(option);
        EXPECT_EQ(std::tuple(r.status, r.err), std::tuple(0, QByteArray()));
        if (QByteArray(option).contains('v'))  // --version, -v
            EXPECT_EQ(r.out, "Quelvo关键词助手 V2.3\n");
        else
            EXPECT_TRUE(r.out.contains("--version")) << r.out.constData();
    }
}

// One line naming the program and the fault, then the hint; nothing on stdout, status 2.
TEST_P(EveryExecutable, BadArgumentsGoToStderrWithAHintAndStatus2) {
    const Executable& e = GetParam();
    const QByteArray hint = QByteArray("Try '") + e.name + " --help'.\n";
    for (const QStringList& bad : {QStringList{"--bogus"}, QStringList{"--help", "--bogus"},
                                   QStringList{"--version="}, e.badArguments}) {
        const Ran r = RunBare(e.path, bad);
        SCOPED_TRACE(bad.join(u' ').toStdString());
        EXPECT_EQ(std::tuple(r.status, r.out, r.err.count('\n')), std::tuple(2, QByteArray(), 2));
        EXPECT_TRUE(r.err.startsWith(QByteArray(e.name) + ": ") && r.err.endsWith(hint))
            << r.err.constData();
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
    EXPECT_EQ(std::tuple(r.status, r.out, r.err.count('\n')), std::tuple(2, QByteArray(), 1));
    EXPECT_TRUE(r.err.startsWith("quelvo: no display") && r.err.contains("quelvo mine"))
        << r.err.constData();
}

}  // namespace
