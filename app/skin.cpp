#include "skin.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>

QString DefaultSkinPath() { return SkinPathFrom(QCoreApplication::applicationDirPath()); }

QString SkinPathFrom(const QString& executableDir) {
    const QString beside = executableDir + QStringLiteral("/skinh.she");
    const QString installed = executableDir + QStringLiteral("/../share/quelvo/skinh.she");
    if (!QFile::exists(beside) && QFile::exists(installed)) return installed;
    return beside;
}

bool ApplySkin(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) return false;
    app->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}
