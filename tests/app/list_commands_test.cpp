#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <utility>

#include "app/qt_translations.h"
#include "support/engine_pages.h"
#include "window_rig.h"

namespace {

struct ListRig : WindowRig {
    QListWidget& list() { return get<QListWidget>("List1"); }
    // A double click as the window system delivers it (press, release, press, release) at a
    // point of the list box's viewport: on an item, or on empty space.
    void doubleClick(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseDClick(window->windowHandle(), button, {},
                           list().viewport()->mapTo(window.get(), at));
    }
    void doubleClickRow(int row, Qt::MouseButton button = Qt::LeftButton) {
        doubleClick(list().visualItemRect(list().item(row)).center(), button);
    }
};

TEST(FolderPicker, ChosenFolderGoesIntoTheBoxCancelLeavesIt) {
    ListRig rig;
    QLineEdit& folder = rig.get<QLineEdit>("TxtFile");
    rig.dialogs.nextFolder = QStringLiteral("/home/用户/结果");
    rig.click("CmdFile");
    EXPECT_EQ(folder.text(), "/home/用户/结果");
    rig.dialogs.nextFolder.reset();
    rig.click("CmdFile");
    EXPECT_EQ(folder.text(), "/home/用户/结果");
    EXPECT_EQ(rig.dialogs.folderTitles, QStringList(2, QStringLiteral("请选择保存路径")));
}

// The real picker, answered by cancelling it once it shows; in Chinese, as the program loads Qt's
// own words for a Chinese locale.
TEST(FolderPicker, StartsAtTheDesktopOrAtHomeWithoutOneInChinese) {
    const QtTranslations chinese(QLocale(QLocale::Chinese, QLocale::China));
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("with/Desktop") && QDir(root.path()).mkpath("without"));
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));  // no user folders
    for (const auto& [user, start] : {std::pair{"with", "with/Desktop"}, {"without", "without"}}) {
        qputenv("HOME", QFile::encodeName(root.filePath(user)));
        QString shown, cancelWord;
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    shown = dialog->directory().absolutePath();
                    cancelWord = dialog->findChild<QDialogButtonBox*>()
                                     ->button(QDialogButtonBox::Cancel)
                                     ->text();
                    dialog->reject();
                }
        });
        cancel.start(10);
        EXPECT_EQ(QtDialogs().PickFolder(nullptr, QStringLiteral("请选择保存路径")), std::nullopt);
        EXPECT_EQ(std::tuple(shown, cancelWord),
                  std::tuple(root.filePath(start), QStringLiteral("取消")));
    }
    qputenv("HOME", home);
    config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
}

TEST(ListDoubleClick, OpensTheEngineSelectedNowEvenOnAnEmptyList) {
    ListRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"手机 壳&x"}));
    rig.mine("A");
    ASSERT_EQ(rig.list().count(), 2);
    // Only the left button's double click opens a page.
    for (const auto button : {Qt::RightButton, Qt::MiddleButton}) {
        rig.doubleClickRow(1, button);
        rig.doubleClick({20, 200}, button);
    }
    // Found on Baidu, opened on whichever engine is chosen at the moment of the click.
    const std::pair<const char*, const char*> engines[] = {
        {"Option1", "/s?wd="}, {"Option2", "/search?hl=zh-CN&q="}, {"Option3", "/search?q="}};
    QStringList expected;
    for (const auto& [option, search] : engines) {
        rig.get<QRadioButton>(option).click();
        rig.doubleClickRow(1);
        expected << rig.url(search) + "%E6%89%8B%E6%9C%BA%20%E5%A3%B3%26x";
    }
    rig.click("CmdClear");
    rig.doubleClick({20, 20});
    expected << rig.url("/search?q=");
    QStringList opened;  // one address per double click
    for (const QUrl& url : rig.browser.opened) opened << QString::fromUtf8(url.toEncoded());
    EXPECT_EQ(opened, expected);
}

TEST(ListClear, DuringARunTheRunGoesOnWithWhatTheListHolds) {
    ListRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"C", "D"}));
    rig.onRequest("B", [&] { rig.click("CmdClear"); });
    rig.mine("A");
    // B's page lands in the emptied list; the run then finds itself past the end and finishes.
    EXPECT_EQ(rig.window->Results().entries(), (QStringList{"C", "D"}));
    EXPECT_EQ(std::tuple(rig.list().count(), rig.server.requests().size()), std::tuple(2, 2));
    EXPECT_EQ(rig.status(), "恭喜！全部挖掘完成。共挖掘长尾词2条");
    EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
}

}  // namespace
