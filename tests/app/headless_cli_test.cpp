#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "run_program.h"

// Run as on a bare machine, so that Qt's complaints about it would show among the status lines.
TEST(QuelvoMine, DemoRunPrintsTheListAndWritesTheFileAsTheWindowWould) {
    QTemporaryDir dir;
    const Ran r = RunBare(QUELVO_EXE,
                          {"mine", "  手机 ", "--demo", "--engine", "google", "--out", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("手机\n"));
    // Nothing but the program's own lines: progress, then the completion line and the summary
    // (whose wording is the in-process tests').
    const QRegularExpression ownLines(
        QStringLiteral("^(当前正在挖掘 \\[ .*\n)+"
                       "恭喜！全部挖掘完成。共挖掘长尾词.*\n"
                       "pages: fetched .*\n"
                       "failed: name not resolved 0,.*\n$"));
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(ownLines)) << r.err.constData();
    // The file is named after the keyword box as typed, blanks included.
    QFile file(dir.filePath("长尾关键词：  手机 .txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(r.out).replace("\n", "\r\n"));
}

TEST(QuelvoCheck, TheDemoEnginesAllAnswer) {
    const Ran r = RunBare(QUELVO_EXE, {"check", "--demo", "--format", "json"});
    EXPECT_EQ(r.status, 0) << r.out.constData() << r.err.constData();
    EXPECT_EQ(r.out.count("\"status\": \"ok\""), 6);
}
