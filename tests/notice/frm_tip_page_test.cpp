#include <QVariantList>
#include <QWindow>

#include <gtest/gtest.h>

#include <optional>

#include "notice/frm_tip.h"
#include "support/wait_until.h"

namespace {

using notice::FrmTip;

notice::ScreenMetrics Screen() { return {{0, 0, 1024, 768}, {0, 0, 1024, 728}, 15, 15}; }

// Runs a script in the page and waits for its answer.
std::optional<QVariant> Evaluate(QWebEngineView& view, const QString& script) {
    std::optional<QVariant> answer;
    view.page()->runJavaScript(script, [&](const QVariant& v) { answer = v; });
    if (!WaitUntil([&] { return answer.has_value(); })) return std::nullopt;
    return answer;
}

TEST(FrmTipPage, CaptionIsShownExactlyAsGiven) {
    FrmTip tip(Screen);
    EXPECT_EQ(tip.windowTitle(), "Form1");
    const QString caption = QStringLiteral("公告 [*] <b>新版</b> &amp;");
    tip.SetCaption(caption);
    tip.show();
    ASSERT_NE(tip.windowHandle(), nullptr);
    EXPECT_EQ(tip.windowHandle()->title(), caption);
}

TEST(FrmTipPage, LongPageShowsNoScrollBarsOnceLoaded) {
    FrmTip tip(Screen);
    tip.show();
    bool loaded = false;
    QObject::connect(&tip.webBrowser1(), &QWebEngineView::loadFinished, [&] { loaded = true; });
    tip.webBrowser1().setHtml(
        QStringLiteral("<!DOCTYPE html><html><body><div "
                       "style='width:3000px;height:5000px'>公告</div></body></html>"));
    ASSERT_TRUE(WaitUntil([&] { return loaded; }, 30000));

    // Scroll bars take room from the viewport; once hidden, the viewport is the whole window.
    const QString probe = QStringLiteral(
        "[document.body.getAttribute('scroll'),"
        " getComputedStyle(document.documentElement).overflow,"
        " window.innerWidth - document.documentElement.clientWidth,"
        " window.innerHeight - document.documentElement.clientHeight]");
    std::optional<QVariant> answer;
    ASSERT_TRUE(WaitUntil([&] {
        answer = Evaluate(tip.webBrowser1(), probe);
        return answer && answer->toList().value(0).toString() == "no";
    }));
    const QVariantList values = answer->toList();
    EXPECT_EQ(values.value(1).toString().toStdString(), "hidden");
    EXPECT_EQ(values.value(2).toInt(), 0);
    EXPECT_EQ(values.value(3).toInt(), 0);
}

}  // namespace
