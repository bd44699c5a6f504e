#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/skin.h"
#include "run_program.h"
#include "support/wait_until.h"

namespace {

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

}  // namespace

// The build tree keeps the skin beside the executable, an installed program under share/quelvo;
// a file beside the executable wins, so a user can still drop one there.
TEST(Skin, FoundBesideTheExecutableOrInTheInstalledDataFolder) {
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = root.filePath(QStringLiteral("share/quelvo"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data));

    EXPECT_EQ(SkinPathFrom(bin), bin + QStringLiteral("/skinh.she"));

    WriteFile(data + QStringLiteral("/skinh.she"), {});
    EXPECT_EQ(Canonical(SkinPathFrom(bin)), Canonical(data + QStringLiteral("/skinh.she")));

    WriteFile(bin + QStringLiteral("/skinh.she"), {});
    EXPECT_EQ(SkinPathFrom(bin), bin + QStringLiteral("/skinh.she"));
}

// The row a double click aims at is selected and under the mouse at once: its white text needs
// a dark background there.
TEST(Skin, SelectedRowUnderTheMouseStaysReadable) {
    ASSERT_TRUE(ApplySkin(QStringLiteral(QUELVO_SKIN)));
    QListWidget list;
    list.addItems({QStringLiteral("手机"), QStringLiteral("手机 价格")});
    list.show();
    list.setCurrentRow(1);
    const QRect row = list.visualItemRect(list.item(1));
    QTest::mouseMove(list.viewport(), row.center());
    WaitUntil([&] { return list.viewport()->underMouse(); });
    // The far right of the row holds no text: its background.
    const QColor background =
        list.viewport()->grab().toImage().pixelColor(row.right() - 2, row.center().y());
    EXPECT_LT(background.lightnessF(), 0.45) << background.name().toStdString();
    qApp->setStyleSheet(QString());
}
