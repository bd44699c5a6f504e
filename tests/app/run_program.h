#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/command_line.h"

// What a program, or a command of it run in-process, printed, and its exit status.
struct Ran {
    int status = -1;  // -1 when the program crashed or did not end
    QByteArray out;
    QByteArray err;
    QList<QByteArray> errLines() const { return err.trimmed().split('\n'); }
    bool says(const QByteArray& line) const { return errLines().contains(line); }
};

// Runs a program as a user on a machine without a display would: no display, no platform chosen
// for Qt, no XDG_RUNTIME_DIR (which makes Qt complain when something asks for it).
inline Ran RunBare(const QString& program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool ended = p.waitForFinished(60000);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput(), p.readAllStandardError()};
}

inline QByteArray ReadBack(std::FILE* f) {
    std::rewind(f);
    QFile file;
    const QByteArray bytes = file.open(f, QIODevice::ReadOnly) ? file.readAll() : "<unread>";
    file.close();
    std::fclose(f);
    return bytes;
}

// Runs `command` (RunHeadlessMine, RunCheck, ...) on the parsed `args`, program name first.
template <typename Command>
Ran InProcess(Command command, const QStringList& args) {
    const CommandLine cl = ParseCommandLine(args);
    EXPECT_TRUE(cl.error.isEmpty()) << cl.error.toStdString();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Ran r;
    r.status = command(cl, out, err);
    r.out = ReadBack(out);
    r.err = ReadBack(err);
    return r;
}

inline QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}
