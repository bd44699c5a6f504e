#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/skin.h"

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

}  // namespace

// The build tree keeps the skin beside the executable, an installed program under share/quelvo;
// a file beside the executable wins, so a user can still drop one there.
TEST(Skin, FoundBesideTheExecutableOrInTheInstalledDataFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = root.filePath(QStringLiteral("share/quelvo"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data));

    EXPECT_EQ(SkinPathFrom(bin), bin + QStringLiteral("/skinh.she"));

    Touch(data + QStringLiteral("/skinh.she"));
    EXPECT_EQ(Canonical(SkinPathFrom(bin)), Canonical(data + QStringLiteral("/skinh.she")));

    Touch(bin + QStringLiteral("/skinh.she"));
    EXPECT_EQ(SkinPathFrom(bin), bin + QStringLiteral("/skinh.she"));
}
