#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sched.h>
#include <sys/mount.h>

// A tmpfs of a few KiB for full-disk cases, in a mount namespace of the test process's own: it
// vanishes with the process, whatever happens to the test. Mounting needs root; elsewhere ok() is
// false and the test skips.
class SmallDisk {
  public:
    SmallDisk(int kib, int inodes) {
        if (!dir_.isValid() || ::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return;
        mounted_ = ::mount("quelvo-test", Native().constData(), "tmpfs", 0,
                           Options(kib, inodes).constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(Native().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ok() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // More room: what a user freeing space would do.
    bool Grow(int kib, int inodes) {
        return ::mount(nullptr, Native().constData(), nullptr, MS_REMOUNT,
                       Options(kib, inodes).constData()) == 0;
    }

  private:
    QByteArray Native() const { return QFile::encodeName(dir_.path()); }
    static QByteArray Options(int kib, int inodes) {
        return "size=" + QByteArray::number(kib) + "k,nr_inodes=" + QByteArray::number(inodes);
    }
    QTemporaryDir dir_;
    bool mounted_ = false;
};
