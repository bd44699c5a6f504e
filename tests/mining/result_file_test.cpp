#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "mining/result_file.h"

using namespace mining;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

ResultList ListOf(std::initializer_list<const char*> entries) {
    ResultList list;
    for (const char* e : entries) list.append(QString::fromUtf8(e));
    return list;
}

}  // namespace

TEST(ResultFileName, FolderKeywordAndRefusedNames) {
    EXPECT_EQ(ResultFileName(QStringLiteral("/out"), QStringLiteral("手机")),
              QStringLiteral("/out/长尾关键词：手机.txt"));
    // Neither text is trimmed; a trailing separator doubles, which the file system accepts.
    EXPECT_EQ(ResultFileName(QStringLiteral("/out/"), QStringLiteral(" k ")),
              QStringLiteral("/out//长尾关键词： k .txt"));
    EXPECT_FALSE(ResultFileName(QStringLiteral("/out"), QStringLiteral("a/b")).has_value());
    EXPECT_FALSE(ResultFileName(QStringLiteral("/out"), QString(QChar(0))).has_value());
}

TEST(ResultFileWriter, HoldsExactlyTheListAfterEverySaveAndAppendsOnlyTheNewLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    ResultFileWriter writer("UTF-8");
    ResultList list = ListOf({"手机"});
    list.append(QStringLiteral("苹果手机"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("手机\r\n苹果手机\r\n"));
    const auto afterFirst = writer.bytesWritten();

    list.append(QStringLiteral("华为手机"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("手机\r\n苹果手机\r\n华为手机\r\n"));
    EXPECT_EQ(writer.bytesWritten() - afterFirst, QByteArray("华为手机\r\n").size());
    EXPECT_EQ(writer.rewrites(), 1);

    // A cleared and refilled list is a new list: the file is written whole, shorter.
    list.clear();
    list.append(QStringLiteral("x"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("x\r\n"));
    EXPECT_EQ(writer.rewrites(), 2);
    // No temporary files are left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ResultFileWriter, RewritesWholeWhenTheFileChangedBehindItsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    ResultFileWriter writer("UTF-8");
    ResultList list = ListOf({"a", "b"});
    ASSERT_TRUE(writer.Save(path, list));

    ASSERT_TRUE(QFile::remove(path));
    list.append(QStringLiteral("c"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("a\r\nb\r\nc\r\n"));

    {  // replaced by another file
        QFile::remove(path);
        QFile other(path);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("someone else's\r\n");
    }
    list.append(QStringLiteral("d"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("a\r\nb\r\nc\r\nd\r\n"));

    {  // truncated in place
        QFile same(path);
        ASSERT_TRUE(same.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }
    list.append(QStringLiteral("e"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\n"));
}

TEST(ResultFileWriter, RefusalsLeaveFilesAsTheyWere) {
    QTemporaryDir dir;
    ResultFileWriter writer("UTF-8");
    const ResultList list = ListOf({"a"});
    EXPECT_FALSE(writer.Save(dir.filePath("missing/r.txt"), list));
    EXPECT_FALSE(writer.Save(dir.path(), list));  // a folder, not a file

    if (::geteuid() != 0) {  // root may write anywhere
        const QString ro = dir.filePath("ro.txt");
        QFile f(ro);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep\r\n");
        f.close();
        ::chmod(QFile::encodeName(ro).constData(), 0444);
        EXPECT_FALSE(writer.Save(ro, list));
        EXPECT_EQ(ReadAll(ro), QByteArray("keep\r\n"));
    }
}

TEST(ResultFileWriter, Gb18030BytesForChineseLocales) {
    QTemporaryDir dir;
    const QString path = dir.filePath("g.txt");
    ResultFileWriter writer("GB18030");
    ResultList list;
    list.append(QStringLiteral("中文"));
    list.append(QStringLiteral("😀"));  // outside GBK, still kept
    ASSERT_TRUE(writer.Save(path, list));
    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xD6\xD0\xCE\xC4\r\n")));
    QStringDecoder back("GB18030");
    EXPECT_EQ(QString(back.decode(bytes)), QStringLiteral("中文\r\n😀\r\n"));
}
