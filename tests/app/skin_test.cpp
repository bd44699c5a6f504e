#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "app/skin.h"
#include "support/wait_until.h"

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

// The row a double click aims at is selected and under the mouse at once: its text must stay
// readable there, white on a dark enough blue (contrast of at least 4.5 : 1).
TEST(Skin, SelectedRowUnderTheMouseStaysReadable) {
    ASSERT_TRUE(ApplySkin(QStringLiteral(QUELVO_SKIN)));
    QListWidget list;
    list.addItems({QStringLiteral("手机"), QStringLiteral("手机 价格")});
    list.resize(200, 100);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(1);
    const QRect row = list.visualItemRect(list.item(1));
    QTest::mouseMove(list.viewport(), row.center());
    WaitUntil([&] { return list.viewport()->underMouse(); });
    const QImage shown = list.viewport()->grab().toImage();
    // The far right of the row holds no text: its background.
    const QColor background = shown.pixelColor(row.right() - 2, row.center().y());
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    EXPECT_GE(1.05 / (luminance(background) + 0.05), 4.5) << background.name().toStdString();
    qApp->setStyleSheet(QString());
}
