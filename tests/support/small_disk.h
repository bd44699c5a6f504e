#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <sched.h>
#include <sys/mount.h>

// A tmpfs of a few KiB in a mount namespace of the test process's own, so that it vanishes with
// the process whatever happens. Mounting needs root; elsewhere ok() is false and the test skips.
class SmallDisk {
  public:
    SmallDisk(int kib, int inodes)
        : mounted_(::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("tmpfs", Native(), "tmpfs", 0, Options(kib, inodes).constData()) == 0) {}
    ~SmallDisk() {
        if (mounted_) ::umount2(Native(), MNT_DETACH);  // so the folder itself can go
    }
    bool ok() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // More room, as a user freeing space would make.
    bool Grow(int kib, int inodes) {
        return ::mount(nullptr, Native(), nullptr, MS_REMOUNT, Options(kib, inodes).constData()) ==
               0;
    }

  private:
    const char* Native() const { return native_.constData(); }
    static QByteArray Options(int kib, int inodes) {
        return "size=" + QByteArray::number(kib) + "k,nr_inodes=" + QByteArray::number(inodes);
    }
    QTemporaryDir dir_;
    QByteArray native_ = QFile::encodeName(dir_.path());
    bool mounted_;
};
