#include "skin.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>

QString DefaultSkinPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/skinh.she");
}

bool ApplySkin(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) return false;
    app->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}
