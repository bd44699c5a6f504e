#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "mining/result_file.h"
#include "support/small_disk.h"

using namespace mining;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes the file in place (truncating an existing one, same inode), as another program would.
void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

ResultList ListOf(std::initializer_list<const char*> entries) {
    ResultList list;
    for (const char* e : entries) list.append(QString::fromUtf8(e));
    return list;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// Runs `save` as a user who owns neither the folder nor the file. Root passes every permission
// check, so as root a child process gives root up first.
bool SavedAsAnotherUser(const std::function<bool()>& save) {
    if (::geteuid() != 0) return save();
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(2);
        ::_exit(save() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void Chmod(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

}  // namespace

TEST(ResultFileName, FolderKeywordUntrimmedAndRefusedNames) {
    EXPECT_EQ(ResultFileName(QStringLiteral("/out"), QStringLiteral(" 手机 ")),
              QStringLiteral("/out/长尾关键词： 手机 .txt"));
    EXPECT_FALSE(ResultFileName(QStringLiteral("/out"), QStringLiteral("a/b")).has_value());
    EXPECT_FALSE(ResultFileName(QStringLiteral("/out"), QString(QChar(0))).has_value());
}

TEST(ResultFileWriter, HoldsExactlyTheListAfterEverySaveAndAppendsOnlyTheNewLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    // A temporary file a crash left between its creation and its rename.
    Put(QFile::decodeName(SaveTempPath(QFile::encodeName(path))), {});
    ResultFileWriter writer("UTF-8");
    ResultList list = ListOf({"手机", "苹果手机"});
    ASSERT_TRUE(writer.Save(path, list));
    list.append(QStringLiteral("华为手机"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("手机\r\n苹果手机\r\n华为手机\r\n"));
    EXPECT_EQ(writer.rewrites(), 1);

    // A cleared and refilled list is a new list: the file is written whole, shorter.
    list.clear();
    list.append(QStringLiteral("x"));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), QByteArray("x\r\n"));
    // No temporary files are left behind, not even the crash's.
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"r.txt"});
}

// A pre-made file in a folder the user cannot write, another user's file in a sticky folder: the
// file is writable, its folder refuses the temporary file or the rename.
TEST(ResultFileWriter, WritesInPlaceWhereOnlyTheFileIsWritable) {
    const struct {
        const char* name;
        mode_t folderMode;
        bool needsRoot;  // only root can make a file that another user may write but not own
    } folders[] = {{"closed", 0555, false}, {"sticky", 01777, true}};
    QTemporaryDir dir;
    Chmod(dir.path(), 0755);
    for (const auto& f : folders) {
        SCOPED_TRACE(f.name);
        if (f.needsRoot && ::geteuid() != 0) continue;
        ASSERT_TRUE(QDir(dir.path()).mkdir(f.name));
        const QString folder = dir.filePath(f.name);
        const QString path = folder + "/r.txt";
        Put(path, "old\r\n");
        Chmod(path, 0666);
        Chmod(folder, f.folderMode);
        EXPECT_TRUE(SavedAsAnotherUser([&] {
            ResultFileWriter writer("UTF-8");
            ResultList list = ListOf({"a"});
            if (!writer.Save(path, list) || !list.append(QStringLiteral("b"))) return false;
            return writer.Save(path, list);
        }));
        EXPECT_EQ(ReadAll(path), QByteArray("a\r\nb\r\n"));
        EXPECT_EQ(FilesIn(folder), QStringList{"r.txt"});
        Chmod(folder, 0755);
    }
}

TEST(ResultFileWriter, RewritesWholeWhenTheFileChangedBehindItsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    ResultFileWriter writer("UTF-8");
    ResultList list = ListOf({"a"});
    ASSERT_TRUE(writer.Save(path, list));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"deleted", [&] { QFile::remove(path); }},
        {"truncated in place", [&] { Put(path, {}); }},
    };
    for (const auto& [what, change] : changes) {
        change();
        list.append(what);
        ASSERT_TRUE(writer.Save(path, list));
        EXPECT_EQ(ReadAll(path), (list.entries().join("\r\n") + "\r\n").toUtf8()) << what;
    }
}

TEST(ResultFileWriter, RefusalsLeaveFilesAsTheyWere) {
    QTemporaryDir dir;
    ResultFileWriter writer("UTF-8");
    const ResultList list = ListOf({"a"});
    EXPECT_FALSE(writer.Save(dir.filePath("missing/r.txt"), list));
    EXPECT_FALSE(writer.Save(dir.path(), list));  // a folder, not a file
    if (::geteuid() == 0) return;                 // root may write anywhere
    const QString readOnly = dir.filePath("ro.txt");
    Put(readOnly, "keep\r\n");
    Chmod(readOnly, 0444);
    EXPECT_FALSE(writer.Save(readOnly, list));
    EXPECT_EQ(ReadAll(readOnly), QByteArray("keep\r\n"));
}

TEST(ResultFileWriter, Gb18030BytesForChineseLocales) {
    QTemporaryDir dir;
    const QString path = dir.filePath("g.txt");
    ResultFileWriter writer("GB18030");
    ASSERT_TRUE(writer.Save(path, ListOf({"中文", "😀"})));  // the emoji is outside GBK, still kept
    EXPECT_EQ(ReadAll(path), QByteArray("\xD6\xD0\xCE\xC4\r\n\x94\x39\xFC\x36\r\n"));
}

// A full disk ends an addition at the last whole line and never empties the file to write it in
// place; once space returns the file is written whole.
TEST(ResultFileWriter, AFullDiskLeavesWholeLinesAndNeverTheFileShorter) {
    SmallDisk disk(4, 2);  // one page; one inode for the file, none for a temporary one
    if (!disk.ok()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const QString path = disk.filePath("r.txt");
    ResultFileWriter writer("UTF-8");
    ResultList list = ListOf({"first"});
    ASSERT_TRUE(writer.Save(path, list));
    const QString line(700, u'x');
    QByteArray whole = "first\r\n";
    for (int i = 0; writer.Save(path, list); ++i) {
        whole = ReadAll(path);
        ASSERT_TRUE(list.append(line + QChar(u'a' + i)));
    }
    EXPECT_EQ(ReadAll(path), whole);
    EXPECT_EQ(whole.size() % 703, 7);  // whole lines only

    list.clear();  // a new list is written whole, through a temporary file there is no inode for
    for (int i = 0; i < 20; ++i) list.append(line + QChar(u'a' + i));
    EXPECT_FALSE(writer.Save(path, list));
    EXPECT_EQ(writer.error(), ENOSPC);
    EXPECT_EQ(ReadAll(path), whole);

    ASSERT_TRUE(disk.Grow(64, 4));
    ASSERT_TRUE(writer.Save(path, list));
    EXPECT_EQ(ReadAll(path), (list.entries().join("\r\n") + "\r\n").toUtf8());
    EXPECT_EQ(FilesIn(disk.path()), QStringList{"r.txt"});
}
