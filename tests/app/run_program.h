#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct Outcome {
    int exitCode;  // -1 when the program crashed or did not end
    QByteArray out;
    QByteArray err;
};

// Runs a program as a user on a machine without a display would: no display, no platform chosen
// for Qt, no XDG_RUNTIME_DIR (which makes Qt complain when something asks for it).
inline Outcome RunBare(const QString& program, const QStringList& args) {
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
