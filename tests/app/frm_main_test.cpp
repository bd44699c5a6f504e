#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

#include "animation_frames.h"
#include "app/frm_main.h"
#include "app/icons/draw_icons.h"
#include "app/status_fit.h"
#include "run_program.h"
#include "sim/sim_server.h"
#include "support/engine_pages.h"
#include "window_rig.h"

namespace {

struct Rig : WindowRig {
    using WindowRig::WindowRig;
    QString status() { return get<QLabel>("LabelStatus").text(); }
};

}  // namespace

TEST(FrmMainWindow, ControlsCaptionsAndPositions) {
    Rig rig;
    FrmMain& w = *rig.window;
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Quelvo关键词助手V2.3                   站长Quelvo旗下软件   "));
    EXPECT_EQ(w.size(), QSize(767, 488));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());

    struct Expect {
        const char* name;
        const char* parent;
        QRect px;
        const char* text;
    };
    const Expect table[] = {
        {"Frame1", "FrmMain", {8, 88, 249, 377}, ""},
        {"Frame2", "Frame1", {8, 16, 233, 49}, "关键词查询结果来源"},
        {"Option1", "Frame2", {8, 24, 49, 15}, "百度"},
        {"Option2", "Frame2", {88, 24, 49, 15}, "谷歌"},
        {"Option3", "Frame2", {168, 24, 49, 15}, "淘宝"},
        {"Label(0)", "Frame1", {10, 85, 55, 14}, "关键词："},
        {"TxtKey", "Frame1", {64, 80, 177, 23}, ""},
        {"CmdStart", "Frame1", {64, 112, 81, 23}, "开始挖掘"},
        {"CmdStop", "Frame1", {160, 112, 81, 23}, "停止挖掘"},
        {"Check1", "Frame1", {64, 144, 121, 17}, "结果中包含关键词"},
        {"Label(1)", "Frame1", {8, 184, 87, 14}, "结果保存路径："},
        {"TxtFile", "Frame1", {8, 200, 201, 20}, ""},
        {"CmdFile", "Frame1", {208, 200, 33, 20}, "..."},
        {"Label3", "Frame1", {32, 328, 177, 19}, "体验功能更强大的站长Quelvo6"},
        {"Frame(1)", "FrmMain", {264, 88, 497, 329}, "所获取的结果"},
        {"List1", "Frame(1)", {8, 16, 481, 280}, ""},
        {"CmdClear", "Frame(1)", {8, 304, 73, 19}, "清除数据"},
        {"Label1", "Frame(1)", {352, 312, 137, 14}, "提示：双击查看详细结果"},
        {"Frame(0)", "FrmMain", {264, 424, 497, 41}, "查询状态"},
        {"LabelStatus", "Frame(0)", {8, 16, 401, 17}, ""},
        {"Label2", "FrmMain", {16, 475, 121, 14}, "检查更新"},
        {"Labelfeedback", "FrmMain", {633, 475, 49, 15}, "反馈意见"},
        {"Labelhome", "FrmMain", {713, 475, 49, 15}, "官方网站"},
        {"WebBrowser1", "FrmMain", {-2, -2, 769, 81}, ""},
    };
    for (const Expect& e : table) {
        QWidget* c = w.findChild<QWidget*>(QString::fromUtf8(e.name));
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(c->parentWidget()->objectName(), QString::fromUtf8(e.parent)) << e.name;
        EXPECT_EQ(c->geometry(), e.px) << e.name;
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(c)) text = b->text();
        if (auto* l = qobject_cast<QLabel*>(c)) text = l->text();
        if (auto* g = qobject_cast<QGroupBox*>(c)) text = g->title();
        if (auto* t = qobject_cast<QLineEdit*>(c)) text = t->text();
        EXPECT_EQ(text, QString::fromUtf8(e.text)) << e.name;
    }
    EXPECT_TRUE(rig.get<QRadioButton>("Option1").isChecked());
    EXPECT_FALSE(rig.get<QCheckBox>("Check1").isChecked());
    EXPECT_EQ(rig.get<QLineEdit>("TxtKey").font().family(), QStringLiteral("微软雅黑"));
    EXPECT_TRUE(rig.get<QLabel>("LabelStatus").styleSheet().contains("red"));
    EXPECT_TRUE(rig.get<QLabel>("Label3").styleSheet().contains("red"));
    EXPECT_EQ(rig.get<QLabel>("Label2").cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(rig.get<QWidget>("ucAniGIF3").isVisible());
    // Storage boxes lie right of the client area, where nobody sees them, and out of the
    // keyboard's reach, where nobody types into them.
    for (const char* hidden : {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2"}) {
        EXPECT_GE(rig.get<QLineEdit>(hidden).x(), w.width()) << hidden;
        EXPECT_EQ(rig.get<QLineEdit>(hidden).focusPolicy(), Qt::NoFocus) << hidden;
    }
    // A keyword that looks like markup shows as typed.
    for (QLabel* label : w.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(rig.get<QLineEdit>("Text2").text(),
              QStringLiteral("<li><a trace=\"relatedSearch\" href="));
}

// The animations come from the design data built into the program: each shows its first frame at
// its place, over the window's background; the busy one is hidden until an update check.
// Each animation shows its first frame at its place; every frame is a picture of its own, and
// nothing of the 16 x 16 ones (the house's smoke above all) runs into their top row or sides.
TEST(FrmMainWindow, AnimationsShowTheirFirstFramesAllFramesDifferAndStayInside) {
    Rig rig;
    // Grabbed before the event loop has run, so before any animation has moved on.
    const QImage window = Shown(*rig.window);
    const struct {
        const char* name;
        icons::Animation a;
    } cases[] = {{"ucAniGIF1", icons::FeedbackBubble()},
                 {"ucAniGIF2", icons::HomeHouse()},
                 {"ucAniGIF3", icons::BusySpinner()}};
    for (const auto& [name, a] : cases) {
        QWidget& gif = rig.get<QWidget>(name);
        const QImage expected = FrameOver(a, 0, gif.palette().color(QPalette::Window));
        EXPECT_EQ(gif.isVisible() ? window.copy(gif.geometry()) : Shown(gif), expected) << name;
        std::set<std::vector<std::uint32_t>> distinct;
        for (const icons::Frame& f : a.frames) {
            distinct.insert(f.argb);
            for (int k = 0; k < 16 && a.width == 16; ++k)
                EXPECT_EQ(f.argb[k] | f.argb[k * 16] | f.argb[k * 16 + 15], 0u) << name << k;
        }
        EXPECT_EQ(distinct.size(), a.frames.size()) << name;
    }
}

// A line too long for the status label keeps its count: a progress line's keyword gives way in
// its middle, an incomplete run's causes at their end. A line that fits is shown as it is.
TEST(FrmMainWindow, StatusLineShortensTheKeywordOrTheCausesNotTheCount) {
    const QFontMetrics metrics(QFont(QStringLiteral("微软雅黑")));
    const QString line =
        mining::ProgressText(QStringLiteral("华为手机壳 超薄 防摔 全包 磨砂 硅胶 男女款 尾"), 25);
    const int width = metrics.horizontalAdvance(line) * 2 / 3;
    const QString fitted = FitStatusText(line, metrics, width);
    EXPECT_LE(metrics.horizontalAdvance(fitted), width);
    EXPECT_TRUE(fitted.startsWith(QStringLiteral("当前正在挖掘 [ 华为")) && fitted.contains(u'…') &&
                fitted.endsWith(QStringLiteral("尾 ] 相关长尾词.....已挖掘： 25条")));
    EXPECT_EQ(FitStatusText(line, metrics, width * 2), line);
    const QString missed = QStringLiteral(
        "挖掘未完成：3个页面未能获取（网络无法连接2个，搜索引擎要求验证1个）。共挖掘长尾词1条");
    const QString shortened = FitStatusText(missed, metrics, width);
    EXPECT_TRUE(shortened.startsWith(QStringLiteral("挖掘未完成：3个页面未能获取（网络")) &&
                shortened.endsWith(QStringLiteral("…）。共挖掘长尾词1条")));
}

TEST(FrmMainRun, EmptyKeywordIsAnsweredByTheMessageOnly) {
    Rig rig;
    rig.click("CmdStart");
    EXPECT_EQ(rig.dialogs.messages, QStringList{"提示|请先输入源关键词"});
    EXPECT_TRUE(rig.server.requests().isEmpty());
    EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
}

TEST(FrmMainRun, TrimmedSourceThenBreadthFirstWithStatusWhileFetchingAndAnEndThatSaysWhy) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B", "C", "A"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"C"}));
    rig.server.setFaultFor("C", sim::Fault::Oversize);
    QStringList statusAtRequest;
    QList<bool> startEnabledAtRequest;
    QObject::connect(&rig.server, &sim::SimServer::engineRequestReceived, rig.window.get(), [&] {
        statusAtRequest << rig.status();
        startEnabledAtRequest << rig.get<QPushButton>("CmdStart").isEnabled();
    });
    QTest::keyClicks(&rig.get<QLineEdit>("TxtKey"), "  A  ");
    rig.click("CmdStart");

    QStringList keywords;
    for (const auto& r : rig.server.requests()) keywords << r.keyword;
    EXPECT_EQ(keywords, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(statusAtRequest, (QStringList{"", "当前正在挖掘 [ B ] 相关长尾词.....已挖掘： 3条",
                                            "当前正在挖掘 [ C ] 相关长尾词.....已挖掘： 3条"}));
    EXPECT_EQ(startEnabledAtRequest, (QList<bool>{false, false, false}));
    // C's page could not be fetched: the run is not told as complete, the line says why (in full,
    // or in its tool tip when the label is too narrow) and keeps its count.
    const QString tip = rig.get<QLabel>("LabelStatus").toolTip();
    EXPECT_EQ(tip.isEmpty() ? rig.status() : tip,
              QStringLiteral("挖掘未完成：1个页面未能获取（页面过大1个）。共挖掘长尾词3条"));
    EXPECT_TRUE(rig.status().endsWith(QStringLiteral("。共挖掘长尾词3条")));
    EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
    const QListWidget& list = rig.get<QListWidget>("List1");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), "A");
}

TEST(FrmMainRun, StopAndEngineSwitchDuringAFetch) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setPage(sim::Engine::Taobao, "B",
                       "<li><a trace=\"relatedSearch\" href=\"/x\">C</a></li>"
                       "<li><a trace=\"relatedSearch\" href=\"/x\">D</a></li>");
    rig.onRequest("A", [&] { rig.get<QRadioButton>("Option3").click(); });
    bool enabledRightAfterStop = false;
    rig.onRequest("B", [&] {
        rig.click("CmdStop");
        enabledRightAfterStop = rig.get<QPushButton>("CmdStart").isEnabled();
    });
    rig.mine("A");
    ASSERT_EQ(rig.server.requests().size(), 2);
    EXPECT_EQ(rig.server.requests().at(0).engine, sim::Engine::Baidu);
    EXPECT_EQ(rig.server.requests().at(1).engine, sim::Engine::Taobao);
    EXPECT_TRUE(enabledRightAfterStop);
    EXPECT_EQ(rig.window->Results().entries(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(rig.status(), QStringLiteral("恭喜！全部挖掘完成。共挖掘长尾词4条"));
}

TEST(FrmMainRun, ClosingDuringAFetchEndsWithoutWritingOrHanging) {
    QTemporaryDir dir;
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setFaultFor("B", sim::Fault::Stall);
    rig.onRequest("B",
                  [&] { QTimer::singleShot(0, rig.window.get(), [&] { rig.window->close(); }); });
    QSignalSpy unloaded(rig.window.get(), &FrmMain::unloaded);
    rig.get<QLineEdit>("TxtKey").setText("A");
    rig.get<QLineEdit>("TxtFile").setText(dir.path());
    rig.click("CmdStart");  // returns once the window has closed
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(rig.window->Run().Running());
    EXPECT_EQ(rig.window->Http().Outstanding(), 0);
    QFile file(dir.filePath("长尾关键词：A.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("A\r\nB\r\n"));
    EXPECT_NE(rig.status(), QStringLiteral("恭喜！全部挖掘完成。共挖掘长尾词2条"));
}

// The engines file reaches the window: Taobao's marker through the hidden box, Baidu's source by
// window_source. A bad file is shown once and set aside for the built-in table.
TEST(FrmMainRun, TheEnginesFileIsUsedOrShownAsRefused) {
    QTemporaryDir dir;
    const QString file = WriteFile(dir.filePath("engines.json"), R"({"engines": {
        "taobao": {"related": {"marker": "<li class=\"rs\"><a href="}},
        "baidu": {"window_source": "suggest"}}})");
    const auto useFile = [&](AppConfig& config) { config.enginesFile = file; };
    {
        Rig rig({}, useFile);
        EXPECT_TRUE(rig.dialogs.messages.isEmpty());
        EXPECT_EQ(rig.get<QLineEdit>("Text2").text(), QStringLiteral("<li class=\"rs\"><a href="));
        rig.server.setPage(sim::Engine::Taobao, "A", "<li class=\"rs\"><a href=\"/x\">B</a></li>");
        rig.get<QRadioButton>("Option3").click();
        rig.mine("A");
        EXPECT_EQ(rig.window->Results().entries(), (QStringList{"A", "B"}));
        rig.get<QRadioButton>("Option1").click();
        rig.server.clearRequests();
        rig.mine("A");
        ASSERT_FALSE(rig.server.requests().isEmpty());
        EXPECT_TRUE(rig.server.requests().first().suggest);
    }
    WriteFile(file, R"({"engines": {"taobao": {"related": {"marker": 7}}}})");
    Rig rig({}, useFile);
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_TRUE(rig.dialogs.messages.first().startsWith("提示|引擎设置文件有误"));
    EXPECT_TRUE(rig.dialogs.messages.first().contains(file + ": engines.taobao.related.marker"));
    EXPECT_EQ(rig.get<QLineEdit>("Text2").text(),
              QStringLiteral("<li><a trace=\"relatedSearch\" href="));
}
