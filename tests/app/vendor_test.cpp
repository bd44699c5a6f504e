#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "animation_frames.h"
#include "app/icons/draw_icons.h"
#include "support/wait_until.h"
#include "window_rig.h"

namespace {

const char kRelease[] = "/api/update/KeyWords.txt";
const char kFeed[] = "/api/pop/keywords.txt";
const char kBanner[] = "/api/pages/keywords.php?ver=2.0";

// The value of a line of JavaScript in the view's page, as text; empty when it gives none.
QString Evaluate(QWebEngineView& view, const char* script) {
    std::optional<QString> value;
    view.page()->runJavaScript(QString::fromUtf8(script),
                               [&](const QVariant& v) { value = v.toString(); });
    WaitUntil([&] { return value.has_value(); });
    return value.value_or(QString());
}

// Each verdict as the window answers it, one window asked four times; the answers' table is the
// verdict's own test. A reset connection stands for every way a request fails.
TEST(UpdateCheck, ANewerNumberOpensTheHomePageAnUnreachableVendorIsTold) {
    const struct {
        const char* answer;  // nullptr: the vendor resets the connection
        const char* label;
        const char* message;
    } cases[] = {{"5", "检查更新", "提示|发现最新本，请立即更新！"},
                 {"abc", "检查更新", ""},
                 {nullptr, "检查更新", "提示|检查更新失败，无法连接到服务器，请检查网络后重试。"},
                 {"4", "已是最新版", ""}};
    WindowRig rig;
    QLabel& label = rig.get<QLabel>("Label2");
    // The message comes first, the home page only after it has been dismissed.
    rig.dialogs.onMessage = [&] { EXPECT_TRUE(rig.browser.opened.isEmpty()); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "reset");
        rig.dialogs.messages.clear();
        rig.browser.opened.clear();
        rig.server.setVendorFault(kRelease, c.answer ? sim::Fault::None : sim::Fault::Reset);
        if (c.answer) rig.server.setVendorAnswer(kRelease, c.answer);
        rig.click("Label2");
        const QList<QUrl> home = qstrcmp(c.answer, "5") ? QList<QUrl>{} : QList{QUrl(rig.url("/"))};
        EXPECT_EQ(std::tuple(label.isVisible(), label.text(), rig.dialogs.messages.join(""),
                             rig.browser.opened),
                  std::tuple(true, QString::fromUtf8(c.label), QString::fromUtf8(c.message), home));
    }
}

// While a slow answer is awaited the busy animation plays in the label's place; the label is back
// once the wait has ended.
TEST(UpdateCheck, BusyAnimationPlaysWhileTheAnswerIsAwaited) {
    WindowRig rig;
    rig.server.setVendorFault(kRelease, sim::Fault::Stall);
    QWidget& busy = rig.get<QWidget>("ucAniGIF3");
    QLabel& label = rig.get<QLabel>("Label2");
    const icons::Animation spinner = icons::BusySpinner();
    std::set<int> seen;  // frames shown while the request waited, at least 3
    bool inPlace = false;
    const auto watch = [&] {
        inPlace = busy.isVisible() && !label.isVisible() && busy.x() == label.x();
        EXPECT_TRUE(WaitUntil([&] {
            const QImage now = Shown(busy);
            const QColor background = busy.palette().color(QPalette::Window);
            for (int i = 0; i < int(spinner.frames.size()); ++i)
                if (busy.isVisible() && now == FrameOver(spinner, i, background)) seen.insert(i);
            return seen.size() >= 3;
        }));
        rig.window->VendorHttp().AbortAll();
    };
    rig.onVendorRequest(kRelease, [&] { QTimer::singleShot(0, rig.window.get(), watch); });
    rig.click("Label2");
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(std::tuple(busy.isVisible(), label.isVisible()), std::tuple(false, true));
}

// Closing the window ends the program at once. A run started while the update check or the feed
// waits nests in that wait, so the wait's answer can arrive before the window closes and be read
// only after: it is dropped.
TEST(VendorWaits, AnAnswerReadAfterTheWindowClosedIsDropped) {
    for (const char* path : {kRelease, kFeed}) {
        SCOPED_TRACE(path);
        WindowRig rig;
        rig.server.setVendorAnswer(kRelease, "5");
        rig.server.setVendorAnswer(kFeed, "迟到#" + rig.url("/n.html").toUtf8() + "#1#Always");
        rig.server.setFaultFor("A", sim::Fault::Stall);
        rig.onVendorRequest(
            path, [&] { QTimer::singleShot(0, rig.window.get(), [&] { rig.mine("A"); }); });
        rig.onRequest("A", [&] {
            QTimer::singleShot(0, rig.window.get(), [&] {
                EXPECT_TRUE(WaitUntil([&] { return rig.window->VendorHttp().Unanswered() == 0; }));
                rig.window->close();
            });
        });
        QSignalSpy unloaded(rig.window.get(), &FrmMain::unloaded);
        if (path == kRelease)
            rig.click("Label2");
        else
            rig.get<QTimer>("Timer1").setInterval(0);
        ASSERT_TRUE(WaitUntil(
            [&] { return unloaded.count() == 1 && rig.window->VendorHttp().Outstanding() == 0; }));
        EXPECT_TRUE(rig.dialogs.messages.isEmpty());
        EXPECT_TRUE(rig.browser.opened.isEmpty());
        EXPECT_TRUE(PopupsCaptioned("迟到").isEmpty());
    }
}

TEST(Banner, LongBannerShowsNoScrollBars) {
    WindowRig rig;
    QWebEngineView& banner = rig.get<QWebEngineView>("WebBrowser1");
    // Taller than the view, the page shows no scroll bars (they would take their room from the
    // viewport).
    const char* noScrollBars =
        "var root = document.documentElement; !!document.body && document.body.getAttribute("
        "'scroll') == 'no' && root.scrollHeight > innerHeight && innerWidth == root.clientWidth &&"
        " innerHeight == root.clientHeight";
    EXPECT_TRUE(WaitUntil([&] { return Evaluate(banner, noScrollBars) == "true"; }, 30000));
    EXPECT_EQ(std::tuple(rig.server.vendorHits(kBanner), banner.url()),
              std::tuple(1, QUrl(rig.url(kBanner))));
    // The demo's band covers the whole view, down to its bottom corners.
    EXPECT_EQ(Evaluate(banner,
                       "[1, innerWidth - 1].every(x => !!document.elementFromPoint(x, "
                       "innerHeight - 1).closest('.band'))"),
              "true");
}

TEST(Banner, OurOwnWhenTheVendorsCannotLoad) {
    WindowRig rig([](sim::SimServer& s) { s.setVendorFault(kBanner, sim::Fault::Reset); });
    QWebEngineView& banner = rig.get<QWebEngineView>("WebBrowser1");
    EXPECT_TRUE(WaitUntil(
        [&] { return Evaluate(banner, "document.body.id") == "quelvo-own-banner"; }, 30000));
    EXPECT_EQ(rig.server.vendorHits(kBanner), 1);
}

// A link that asks for a new window opens in the desktop's browser, from the banner and the popup.
TEST(EmbeddedPages, NewWindowLinksOpenInTheBrowser) {
    WindowRig rig;
    notice::FrmTip tip;
    tip.show();
    for (QWebEngineView* view : {&rig.get<QWebEngineView>("WebBrowser1"), &tip.webBrowser1()}) {
        EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
        const QUrl target(rig.url("/linked.html"));
        rig.browser.opened.clear();
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        view->setHtml(QStringLiteral("<body style='margin:0'><a target='_blank' href='%1' "
                                     "style='display:block;width:100vw;height:100vh'>x</a>")
                          .arg(target.toString()));
        ASSERT_TRUE(WaitUntil([&] { return !loaded.isEmpty(); }, 30000));
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {},
                          view->focusProxy()->rect().center());
        EXPECT_TRUE(WaitUntil([&] { return rig.browser.opened.contains(target); }));
    }
}

// The one test that waits for the real timer. The service's own feed is due today in the
// system's short date format and has a page of its own. Read again, a feed not due and one due
// with an address that is not a web page's show that both rules reach the window (their cases are
// the feed's and the address's own tests).
TEST(NoticeFeed, ReadOnceThreeSecondsAfterStartDueOnesRiseInThePopup) {
    QElapsedTimer clock;
    clock.start();
    WindowRig rig;
    std::optional<qint64> readAt;
    rig.onVendorRequest(kFeed, [&] { readAt = readAt.value_or(clock.elapsed()); });
    QTimer& timer = rig.get<QTimer>("Timer1");
    ASSERT_TRUE(rig.vendorRead(kFeed, 1));
    EXPECT_GE(readAt.value_or(0), 2800);  // a coarse timer may go off up to 5 % early
    EXPECT_LT(readAt.value_or(0), 4500);
    EXPECT_FALSE(timer.isActive()) << "a second read would follow";

    const QList<notice::FrmTip*> today = PopupsCaptioned("系统公告");
    ASSERT_EQ(today.size(), 1);
    notice::FrmTip& tip = *today.first();
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.webBrowser1().page()->requestedUrl(), QUrl(rig.url("/notice.html")));
    // Its page shows no scroll bars, and needs none: it ends inside the popup with room left for a
    // title bar of 30 pixels, which the window manager's frame takes from the popup's size.
    const QByteArray fits =
        "!!document.body && document.body.getAttribute('scroll') == 'no' && document.body."
        "lastElementChild.getBoundingClientRect().bottom <= " +
        QByteArray::number(-tip.webBrowser1().y() + tip.height() - 30);
    EXPECT_TRUE(
        WaitUntil([&] { return Evaluate(tip.webBrowser1(), fits.constData()) == "true"; }, 30000));

    int reads = 1;
    for (const char* feed :
         {"不显示#%1/notice.html#2001/1/1#always", "本地文件#file:///etc/passwd#2001/1/1#Always"}) {
        rig.server.setVendorAnswer(kFeed, QString::fromUtf8(feed).arg(rig.url("")).toUtf8());
        timer.start(0);
        ASSERT_TRUE(rig.vendorRead(kFeed, ++reads));
    }
    EXPECT_TRUE(PopupsCaptioned("不显示").isEmpty());
    // Due, but only web addresses are shown: no popup at all, the fields stored all the same.
    EXPECT_TRUE(PopupsCaptioned("本地文件").isEmpty());
    EXPECT_EQ(rig.get<QLineEdit>("Text1(1)").text(), "file:///etc/passwd");

    // Closing the main window takes its popup away at once, without the fade.
    int fadeSteps = 0;
    tip.setFadePause([&](int) { ++fadeSteps; });
    rig.window->close();
    EXPECT_EQ(std::tuple(tip.isVisible(), fadeSteps), std::tuple(false, 0));
}

// A feed slower than the timer's interval is still read only once; the interval is shortened so
// that the stall need not outlast three real seconds.
TEST(NoticeFeed, SlowFeedIsNotReadAgain) {
    WindowRig rig;
    rig.server.setVendorFault(kFeed, sim::Fault::Stall);
    rig.window->VendorHttp().setTransferTimeoutMs(400);
    rig.get<QTimer>("Timer1").setInterval(50);
    ASSERT_TRUE(rig.vendorRead(kFeed, 1));
    EXPECT_FALSE(rig.get<QTimer>("Timer1").isActive());
    EXPECT_EQ(rig.server.vendorHits(kFeed), 1);
}

}  // namespace

#include "moc_window_rig.cpp"
