#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "run_program.h"

// Run as on a bare machine, so that Qt's complaints about it would show among the status lines.
TEST(QuelvoMine, DemoRunPrintsTheListAndWritesTheFileAsTheWindowWould) {
    QTemporaryDir dir;
    const Ran r = RunBare(QUELVO_EXE,
                          {"mine", "  手机 ", "--demo", "--engine", "google", "--out", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.constData();
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
    EXPECT_TRUE(err.last().startsWith("failed: name not resolved 0,"));
    // Nothing but the program's own lines: progress, then the completion line and the summary.
    for (qsizetype i = 0; i + 3 < err.size(); ++i)
        EXPECT_TRUE(err.at(i).startsWith("当前正在挖掘 [ ")) << err.at(i).constData();
    // The file is named after the keyword box as typed, blanks included.
    QFile file(dir.filePath("长尾关键词：  手机 .txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected = r.out;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(file.readAll(), expected);
}

TEST(QuelvoCheck, TheDemoEnginesAllAnswer) {
    const Ran r = RunBare(QUELVO_EXE, {"check", "--demo", "--format", "json"});
    EXPECT_EQ(r.status, 0) << r.out.constData() << r.err.constData();
    EXPECT_EQ(r.out.count("\"status\": \"ok\""), 6);
}
