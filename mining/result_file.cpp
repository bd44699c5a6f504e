#include "result_file.h"

#include <QCryptographicHash>
#include <QFile>

#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>

namespace mining {

namespace {

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QByteArray DirectoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    if (slash == 0) return "/";
    return path.left(slash);
}

void SyncDirectory(const QByteArray& dir) {
    const int d = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return;
    ::fsync(d);
    ::close(d);
}

// A symbolic link is written through, as opening the name for output would do.
QByteArray ResolveTarget(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.constData(), resolved)) return QByteArray(resolved);
    }
    return path;
}

}  // namespace

QByteArray SaveTempPath(const QByteArray& target) {
    // Short: the target's own name may already be near the length limit.
    const QByteArray digest = QCryptographicHash::hash(target, QCryptographicHash::Sha1);
    return DirectoryOf(target) + "/.quelvo-save-" + digest.left(8).toHex();
}

QString ResultFilePath(const QString& folder, const QString& keyword) {
    return folder + u'/' + QStringLiteral("长尾关键词：") + keyword + QStringLiteral(".txt");
}

std::optional<QString> ResultFileName(const QString& folder, const QString& keyword) {
    if (keyword.contains(u'/') || keyword.contains(QChar(0)) || folder.contains(QChar(0)))
        return std::nullopt;
    return ResultFilePath(folder, keyword);
}

QByteArray ResultFileCharset() {
    const char* codeset = ::nl_langinfo(CODESET);
    const QByteArray name = QByteArray(codeset ? codeset : "").toUpper();
    if (name == "GBK" || name == "GB2312" || name == "CP936" || name == "EUC-CN" ||
        name == "GB18030")
        return "GB18030";
    if (name.isEmpty() || name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII" ||
        name == "UTF-8" || name == "UTF8")
        return "UTF-8";
    QStringEncoder probe(name.constData());
    return probe.isValid() ? name : QByteArray("UTF-8");
}

ResultFileWriter::ResultFileWriter(const QByteArray& charset) : charset_(charset) {}

ResultFileWriter::~ResultFileWriter() { Close(); }

bool ResultFileWriter::Sync(int fd) {
    ++syncs_;
    return ::fdatasync(fd) == 0;
}

bool ResultFileWriter::Flush() {
    if (fd_ < 0 || !dirty_) return true;
    dirty_ = false;
    if (Sync(fd_)) return true;
    error_ = errno;
    // The disk now holds an unknown tail; the next save writes the whole list afresh.
    Close();
    return false;
}

void ResultFileWriter::Close() {
    Flush();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    dirty_ = false;
    target_.clear();
}

QByteArray ResultFileWriter::Encode(const QStringList& entries, int from) const {
    QStringEncoder encoder(charset_.constData());
    if (!encoder.isValid()) encoder = QStringEncoder(QStringEncoder::Utf8);
    QByteArray out;
    for (int i = from; i < entries.size(); ++i) {
        out += encoder.encode(entries.at(i));
        out += "\r\n";
    }
    return out;
}

bool ResultFileWriter::StillOurs() const {
    struct stat st {};
    if (::stat(target_.constData(), &st) != 0) return false;
    return static_cast<std::uint64_t>(st.st_dev) == device_ &&
           static_cast<std::uint64_t>(st.st_ino) == inode_ && st.st_size == size_;
}

bool ResultFileWriter::Save(const QString& path, const ResultList& list) {
    const QByteArray target = ResolveTarget(QFile::encodeName(path));
    const bool canAppend = fd_ >= 0 && target == target_ && list.generation() == generation_ &&
                           written_ <= list.size() && StillOurs();
    if (canAppend) return Append(list);
    Close();
    return Rewrite(target, list);
}

bool ResultFileWriter::Append(const ResultList& list) {
    if (written_ == list.size()) return true;
    const QByteArray bytes = Encode(list.entries(), written_);
    if (!WriteAll(fd_, bytes)) {
        error_ = errno;
        // Back to the last whole line, so the file never ends in half a keyword and the next
        // addition appends again; where even that fails, the next save writes the file whole.
        if (::ftruncate(fd_, size_) != 0 || ::lseek(fd_, size_, SEEK_SET) != size_) {
            dirty_ = false;
            Close();
        }
        return false;
    }
    dirty_ = true;
    bytesWritten_ += static_cast<std::uint64_t>(bytes.size());
    size_ += bytes.size();
    written_ = list.size();
    return true;
}

bool ResultFileWriter::Rewrite(const QByteArray& target, const ResultList& list) {
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return Failed(EISDIR);
    // A read-only file stays as the user left it.
    if (exists && ::access(target.constData(), W_OK) != 0) return Failed(errno);

    const QByteArray bytes = Encode(list.entries(), 0);
    int fd = ReplaceWhole(target, bytes, exists ? &existing : nullptr);
    if (fd == kFolderRefused) fd = RewriteInPlace(target, bytes);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) != 0) {
        error_ = errno;
        ::close(fd);
        fd = kWriteFailed;
    }
    if (fd < 0) return false;

    fd_ = fd;
    target_ = target;
    generation_ = list.generation();
    written_ = list.size();
    size_ = bytes.size();
    device_ = static_cast<std::uint64_t>(st.st_dev);
    inode_ = static_cast<std::uint64_t>(st.st_ino);
    bytesWritten_ += static_cast<std::uint64_t>(bytes.size());
    ++rewrites_;
    return true;
}

bool ResultFileWriter::Failed(int error) {
    error_ = error;
    return false;
}

namespace {

// The folder, not the disk, says no: the file itself may still be writable in place. Anything
// else (a full disk, no inode left, a read-only file system, a name too long) would fail in place
// just the same, after emptying the file.
bool FolderRefuses(int error) { return error == EACCES || error == EPERM || error == EBUSY; }

}  // namespace

int ResultFileWriter::ReplaceWhole(const QByteArray& target, const QByteArray& bytes,
                                   const struct stat* existing) {
    const QByteArray temp = SaveTempPath(target);
    ::unlink(temp.constData());  // left by a crash between creating it and renaming it
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = errno;
        return FolderRefuses(error_) ? kFolderRefused : kWriteFailed;
    }
    // Synced before the rename, so a power cut leaves the old file or the new one, never an
    // empty one.
    int outcome = fd;
    if (!WriteAll(fd, bytes) || !Sync(fd)) {
        error_ = errno;
        outcome = kWriteFailed;
    } else {
        if (existing) ::fchmod(fd, existing->st_mode & 07777);
        if (::rename(temp.constData(), target.constData()) != 0) {
            error_ = errno;
            outcome = FolderRefuses(error_) ? kFolderRefused : kWriteFailed;
        }
    }
    if (outcome != fd) {
        ::close(fd);
        ::unlink(temp.constData());
        return outcome;
    }
    SyncDirectory(DirectoryOf(target));
    return fd;
}

// Only where the folder refuses a new file. The new text is written over the old and the tail cut
// only then, so that at no moment (a kill, a full disk) does the file hold less than before.
int ResultFileWriter::RewriteInPlace(const QByteArray& target, const QByteArray& bytes) {
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = errno;
        return kWriteFailed;
    }
    if (!WriteAll(fd, bytes) || !Sync(fd) || ::ftruncate(fd, bytes.size()) != 0 || !Sync(fd)) {
        error_ = errno;
        ::close(fd);
        return kWriteFailed;
    }
    return fd;
}

}  // namespace mining
