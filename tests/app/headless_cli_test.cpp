#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Outcome Quelvo(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUELVO_EXE), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

}  // namespace

TEST(QuelvoMine, DemoRunPrintsTheListAndWritesTheFileAsTheWindowWould) {
    QTemporaryDir dir;
    const Outcome r =
        Quelvo({"mine", "  手机 ", "--demo", "--engine", "google", "--out", dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines.first(), QByteArray("手机"));
    EXPECT_TRUE(r.err.startsWith(QByteArray("当前正在挖掘 [ ")));
    // The completion line, then the two summary lines.
    const QList<QByteArray> err = r.err.trimmed().split('\n');
    ASSERT_GE(err.size(), 3);
    EXPECT_EQ(err.at(err.size() - 3), QByteArray("恭喜！全部挖掘完成。共挖掘长尾词") +
                                          QByteArray::number(lines.size() - 1) + "条");
    EXPECT_EQ(err.at(err.size() - 2), "pages: fetched " + QByteArray::number(lines.size() - 1) +
                                          ", failed 0, no marker 0, blocked 0");
    // The file is named after the keyword box as typed, blanks included.
    QFile file(dir.filePath("长尾关键词：  手机 .txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected = r.out;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(file.readAll(), expected);
}

TEST(QuelvoMine, BadArgumentsExitWithUsage) {
    const Outcome r = Quelvo({"mine", "k", "--engine", "x"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Usage:"));
}
