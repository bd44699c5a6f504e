#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <cstdint>
#include <optional>

#include "result_list.h"

namespace mining {

// folder + "/" + "长尾关键词：" + keyword + ".txt", both texts untrimmed. Nothing when the keyword
// cannot be part of a file name here (it holds "/" or a NUL).
std::optional<QString> ResultFileName(const QString& folder, const QString& keyword);

// The charset of the result file: the locale's, except that GBK or GB2312 become GB18030 (the same
// bytes for every GBK character, and nothing unencodable) and a plain ASCII locale, which could not
// hold the keywords at all, becomes UTF-8.
QByteArray ResultFileCharset();

// Keeps the result file equal to the list: one line a keyword, CR LF after each, in list order.
// A pure addition appends the new lines; anything else (another file name, a cleared list, a file
// changed, deleted or replaced behind our back) writes the whole list to a temporary file that then
// replaces the old one, so a crash never leaves a truncated file, only at worst a partial last
// line.
class ResultFileWriter {
  public:
    explicit ResultFileWriter(const QByteArray& charset = ResultFileCharset());
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    // False when the file system refuses (missing folder, read-only file, bad name, full disk).
    bool Save(const QString& path, const ResultList& list);
    void Close();

    std::uint64_t bytesWritten() const { return bytesWritten_; }
    std::int64_t fileSize() const { return size_; }
    int rewrites() const { return rewrites_; }

  private:
    bool Rewrite(const QByteArray& target, const ResultList& list);
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
};

}  // namespace mining
