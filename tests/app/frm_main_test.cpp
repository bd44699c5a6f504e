#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "animation_frames.h"
#include "app/icons/draw_icons.h"
#include "app/status_fit.h"
#include "run_program.h"
#include "support/engine_pages.h"
#include "window_rig.h"

namespace {

// Pixels that differ by more than a rounding step in any channel.
int DifferentPixels(const QImage& a, const QImage& b) {
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            different += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 ||
                         std::abs(qBlue(p) - qBlue(q)) > 8;
        }
    return different;
}

}  // namespace

// The window as a user first sees it: every control's place, size, caption and state, the first
// frames of the animations. The banner loads on its own time, so it is painted over. After a
// layout change made on purpose, scripts/window-golden draws the picture again.
TEST(FrmMainWindow, LooksAsItsPicture) {
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        << "the picture is drawn in fonts-wqy-microhei (scripts/setup installs it)";
    WindowRig rig;
    FrmMain& w = *rig.window;
    // Grabbed before the event loop has run: no animation has moved on, no caret blinks yet.
    QImage shown = Shown(w);
    QPainter(&shown).fillRect(rig.get<QWidget>("WebBrowser1").geometry(), Qt::magenta);
    if (qEnvironmentVariableIsSet("QUELVO_WRITE_GOLDEN")) {
        ASSERT_TRUE(shown.save(QStringLiteral(QUELVO_WINDOW_GOLDEN)));
        GTEST_SKIP() << "wrote " << QUELVO_WINDOW_GOLDEN;
    }
    const QImage golden =
        QImage(QStringLiteral(QUELVO_WINDOW_GOLDEN)).convertToFormat(shown.format());
    const int different = shown.size() == golden.size() ? DifferentPixels(shown, golden) : -1;
    if (different != 0) shown.save(QStringLiteral("frm_main.actual.png"));
    EXPECT_EQ(different, 0) << "(-1: another size, or no picture) see frm_main.actual.png in the "
                               "test's folder";

    // What the picture cannot show: the title, a fixed size, the keyword box's font, the status
    // line's colour, the link cursor, storage out of Tab's reach, markup shown as typed.
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Quelvo关键词助手V2.3                   站长Quelvo旗下软件   "));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(rig.get<QLineEdit>("TxtKey").font().family(), QStringLiteral("微软雅黑"));
    EXPECT_TRUE(rig.get<QLabel>("LabelStatus").styleSheet().contains("red"));
    EXPECT_EQ(rig.get<QLabel>("Label2").cursor().shape(), Qt::PointingHandCursor);
    for (const char* hidden : {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2"})
        EXPECT_EQ(rig.get<QLineEdit>(hidden).focusPolicy(), Qt::NoFocus) << hidden;
    for (QLabel* label : w.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

// Every frame is a picture of its own, and nothing of the 16 x 16 ones (the house's smoke above
// all) runs into their top row or sides.
TEST(DrawnAnimations, AllFramesDifferAndStayInside) {
    for (const icons::Animation& a :
         {icons::FeedbackBubble(), icons::HomeHouse(), icons::BusySpinner()}) {
        std::set<std::vector<std::uint32_t>> distinct;
        for (const icons::Frame& f : a.frames) {
            distinct.insert(f.argb);
            for (int k = 0; k < 16 && a.width == 16; ++k)
                EXPECT_EQ(f.argb[k] | f.argb[k * 16] | f.argb[k * 16 + 15], 0u) << a.width << k;
        }
        EXPECT_EQ(distinct.size(), a.frames.size()) << a.width;
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

// The run's order and rules are its own tests'; here the window answers an empty keyword with a
// message alone (no request is made, Start stays free), then shows a run's progress, holds Start
// while it goes, and ends with a line that says why it is incomplete.
TEST(FrmMainRun, EmptyKeywordOnlyToldThenProgressAndAnEndThatSaysWhy) {
    WindowRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setFaultFor("B", sim::Fault::Oversize);
    QList<std::pair<QString, bool>> atRequest;  // the status line, whether Start is enabled
    QObject::connect(&rig.server, &sim::SimServer::engineRequestReceived, rig.window.get(), [&] {
        atRequest.append({rig.status(), rig.get<QPushButton>("CmdStart").isEnabled()});
    });
    rig.click("CmdStart");
    EXPECT_EQ(rig.dialogs.messages, QStringList{"提示|请先输入源关键词"});
    rig.mine("A");
    EXPECT_EQ(atRequest,
              (QList<std::pair<QString, bool>>{
                  {"", false}, {"当前正在挖掘 [ B ] 相关长尾词.....已挖掘： 2条", false}}));
    // The line says why in full, or in its tool tip when the label is too narrow, and keeps its
    // count.
    const QString tip = rig.get<QLabel>("LabelStatus").toolTip();
    EXPECT_EQ(tip.isEmpty() ? rig.status() : tip,
              QStringLiteral("挖掘未完成：1个页面未能获取（页面过大1个）。共挖掘长尾词2条"));
    EXPECT_TRUE(rig.status().endsWith(QStringLiteral("。共挖掘长尾词2条")));
    EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
    EXPECT_EQ(rig.get<QListWidget>("List1").count(), 2);
}

TEST(FrmMainRun, StopDuringAFetchFreesStartAtOnce) {
    WindowRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"C"}));
    rig.onRequest("B", [&] {
        rig.click("CmdStop");
        EXPECT_TRUE(rig.get<QPushButton>("CmdStart").isEnabled());
    });
    rig.mine("A");
    EXPECT_EQ(rig.server.requests().size(), 2);  // B's page was asked for: Start was checked
    EXPECT_EQ(rig.status(), QStringLiteral("恭喜！全部挖掘完成。共挖掘长尾词3条"));
}

TEST(FrmMainRun, ClosingDuringAFetchEndsWithoutWritingOrHanging) {
    QTemporaryDir dir;
    WindowRig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setFaultFor("B", sim::Fault::Stall);
    rig.onRequest("B",
                  [&] { QTimer::singleShot(0, rig.window.get(), [&] { rig.window->close(); }); });
    QSignalSpy unloaded(rig.window.get(), &FrmMain::unloaded);
    rig.get<QLineEdit>("TxtFile").setText(dir.path());
    rig.mine("A");  // returns once the window has closed
    EXPECT_EQ(std::tuple(unloaded.count(), rig.window->Http().Outstanding()), std::tuple(1, 0));
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
        WindowRig rig({}, useFile);
        EXPECT_TRUE(rig.dialogs.messages.isEmpty());
        rig.server.setPage(sim::Engine::Taobao, "A", "<li class=\"rs\"><a href=\"/x\">B</a></li>");
        rig.get<QRadioButton>("Option3").click();
        rig.mine("A");
        EXPECT_EQ(rig.window->Results().entries(), (QStringList{"A", "B"}));
        rig.get<QRadioButton>("Option1").click();
        rig.server.clearRequests();
        rig.mine("A");
        EXPECT_TRUE(rig.server.requests().value(0).suggest);
    }
    WriteFile(file, R"({"engines": {"taobao": {"related": {"marker": 7}}}})");
    WindowRig rig({}, useFile);
    EXPECT_EQ(rig.dialogs.messages,
              QStringList{"提示|引擎设置文件有误，本次使用内置设置：\n" + file +
                          ": engines.taobao.related.marker: must be a text"});
    EXPECT_EQ(rig.get<QLineEdit>("Text2").text(),
              QStringLiteral("<li><a trace=\"relatedSearch\" href="));
}
