#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <gtest/gtest.h>

#include "vendor_rig.h"

namespace {

QByteArray BaiduPage(const QStringList& keywords) {
    QString page = QStringLiteral("<html><body><table>");
    for (const QString& k : keywords) page += "<th><a href=\"/s?wd=x\">" + k + "</a></th>";
    return (page + "</table></body></html>").toUtf8();
}

struct ListRig : VendorRig {
    ListRig() { server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0}); }

    QListWidget& list() { return get<QListWidget>("List1"); }
    void mine(const QString& keyword) {
        get<QLineEdit>("TxtKey").setText(keyword);
        QTest::mouseClick(&get<QPushButton>("CmdStart"), Qt::LeftButton);
    }
    // A double click as the window system delivers it (press, release, press, release) at a
    // point of the list box's viewport: on an item, or on empty space.
    void doubleClick(QPoint at) {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           list().viewport()->mapTo(window.get(), at));
    }
    void doubleClickRow(int row) { doubleClick(list().visualItemRect(list().item(row)).center()); }
    std::string lastOpened() const {
        return browser.opened.isEmpty() ? std::string()
                                        : browser.opened.last().toEncoded().toStdString();
    }
    std::string base() const { return server.baseUrl().toEncoded().toStdString(); }
};

TEST(FolderPicker, ChosenFolderGoesIntoTheBoxCancelLeavesIt) {
    ListRig rig;
    QLineEdit& folder = rig.get<QLineEdit>("TxtFile");
    rig.dialogs.nextFolder = QStringLiteral("/home/用户/结果");
    QTest::mouseClick(&rig.get<QPushButton>("CmdFile"), Qt::LeftButton);
    EXPECT_EQ(folder.text(), "/home/用户/结果");

    rig.dialogs.nextFolder.reset();
    QTest::mouseClick(&rig.get<QPushButton>("CmdFile"), Qt::LeftButton);
    EXPECT_EQ(folder.text(), "/home/用户/结果");

    // A choice without a file-system path empties the box.
    rig.dialogs.nextFolder = QString();
    QTest::mouseClick(&rig.get<QPushButton>("CmdFile"), Qt::LeftButton);
    EXPECT_EQ(folder.text(), "");
    EXPECT_EQ(rig.dialogs.folderTitles, QStringList(3, QStringLiteral("请选择保存路径")));
}

TEST(ListDoubleClick, OpensTheEngineSelectedNowWithTheKeywordEncoded) {
    ListRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"手机 壳&x"}));
    rig.mine("A");
    ASSERT_EQ(rig.list().count(), 2);
    const std::string base = rig.base();
    const std::string encoded = "%E6%89%8B%E6%9C%BA%20%E5%A3%B3%26x";

    rig.doubleClickRow(1);
    EXPECT_EQ(rig.lastOpened(), base + "/s?wd=" + encoded);
    rig.get<QRadioButton>("Option2").click();
    rig.doubleClickRow(1);
    EXPECT_EQ(rig.lastOpened(), base + "/search?hl=zh-CN&q=" + encoded);
    // Found on Baidu, opened on Taobao: the choice at the moment of the click counts.
    rig.get<QRadioButton>("Option3").click();
    rig.doubleClickRow(1);
    EXPECT_EQ(rig.lastOpened(), base + "/search?q=" + encoded);
    rig.doubleClickRow(0);
    EXPECT_EQ(rig.lastOpened(), base + "/search?q=A");
    EXPECT_EQ(rig.browser.opened.size(), 4) << "one address per double click";
}

TEST(ListDoubleClick, EmptyListOpensTheBareSearchAddress) {
    ListRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.mine("A");
    rig.list().setCurrentRow(1);
    QTest::mouseClick(&rig.get<QPushButton>("CmdClear"), Qt::LeftButton);
    ASSERT_EQ(rig.list().count(), 0);
    rig.get<QRadioButton>("Option2").click();
    rig.doubleClick({20, 20});
    ASSERT_EQ(rig.browser.opened.size(), 1);
    EXPECT_EQ(rig.lastOpened(), rig.base() + "/search?hl=zh-CN&q=");
}

TEST(ListClear, DuringARunTheRunGoesOnWithWhatTheListHolds) {
    ListRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"C", "D"}));
    QObject::connect(&rig.server, &sim::SimServer::requestReceived, rig.window.get(),
                     [&](const QString& target) {
                         if (target.endsWith("wd=B"))
                             QTest::mouseClick(&rig.get<QPushButton>("CmdClear"), Qt::LeftButton);
                     });
    rig.mine("A");
    // B's page lands in the emptied list; the run then finds itself past the end and finishes.
    EXPECT_EQ(rig.window->Results().entries(), (QStringList{"C", "D"}));
    EXPECT_EQ(rig.list().count(), 2);
    EXPECT_EQ(rig.server.requests().size(), 2);
    EXPECT_EQ(rig.get<QLabel>("LabelStatus").text(), "恭喜！全部挖掘完成。共挖掘长尾词2条");
    EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
}

}  // namespace
