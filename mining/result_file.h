#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <cstdint>
#include <optional>

struct stat;

#include "result_list.h"

namespace mining {

// folder + "/" + "长尾关键词：" + keyword + ".txt", both texts untrimmed. Nothing when the keyword
// cannot be part of a file name here (it holds "/" or a NUL).
std::optional<QString> ResultFileName(const QString& folder, const QString& keyword);
// The same text, whether or not it can name a file: what a message about the file shows.
QString ResultFilePath(const QString& folder, const QString& keyword);

// The charset of the result file: the locale's, except that GBK or GB2312 become GB18030 (the same
// bytes for every GBK character, and nothing unencodable) and a plain ASCII locale, which could not
// hold the keywords at all, becomes UTF-8.
QByteArray ResultFileCharset();

// The temporary file a whole rewrite of `target` goes through, beside it. The name is the same
// every time for one target, so a temporary left by a crash is found and removed on the next save.
QByteArray SaveTempPath(const QByteArray& target);

// Keeps the result file equal to the list: one line a keyword, CR LF after each, in list order.
// A pure addition appends the new lines; anything else (another file name, a cleared list, a file
// changed, deleted or replaced behind our back) writes the whole list to a temporary file that then
// replaces the old one, so a crash never leaves a truncated file, only at worst a partial last
// line. Where the folder refuses the temporary file or the rename (the user may write the file but
// not its folder), the file is rewritten in place instead, never truncated first. A full disk is
// no such refusal: the file then stays as it was until space returns.
//
// Appended lines reach the disk at Flush (or Close): a flush per addition would make the disk, not
// the network, the pace of a run. A power cut loses at most the lines since the last flush.
class ResultFileWriter {
  public:
    explicit ResultFileWriter(const QByteArray& charset = ResultFileCharset());
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    // False when the file system refuses (missing folder, read-only file, bad name, full disk);
    // error() then says why. The next Save tries again.
    bool Save(const QString& path, const ResultList& list);
    // Makes the lines written so far durable; false when the disk refused them.
    bool Flush();
    // The errno of the last failure.
    int error() const { return error_; }
    // Flushes, then lets go of the file.
    void Close();

    std::uint64_t bytesWritten() const { return bytesWritten_; }
    std::int64_t fileSize() const { return size_; }
    int rewrites() const { return rewrites_; }
    int syncs() const { return syncs_; }

  private:
    bool Rewrite(const QByteArray& target, const ResultList& list);
    bool Failed(int error);
    // Outcomes of the two ways of writing the whole file, besides the open descriptor.
    static constexpr int kFolderRefused = -1;  // no temporary file or no rename: try in place
    static constexpr int kWriteFailed = -2;
    // Writes the whole list into a new file beside the target and renames it over the target.
    int ReplaceWhole(const QByteArray& target, const QByteArray& bytes,
                     const struct stat* existing);
    int RewriteInPlace(const QByteArray& target, const QByteArray& bytes);
    bool Sync(int fd);
    bool Append(const ResultList& list);
    bool StillOurs() const;
    QByteArray Encode(const QStringList& entries, int from) const;

    QByteArray charset_;
    int fd_ = -1;
    QByteArray target_;  // the native path last written
    std::uint64_t generation_ = 0;
    int written_ = 0;  // entries on disk
    std::int64_t size_ = 0;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::uint64_t bytesWritten_ = 0;
    int rewrites_ = 0;
    int syncs_ = 0;
    int error_ = 0;
    bool dirty_ = false;  // appended lines not yet flushed
};

}  // namespace mining
