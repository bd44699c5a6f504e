#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QVariantList>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <optional>

#include "support/wait_until.h"
#include "vendor_rig.h"

namespace {

const char kRelease[] = "/api/update/KeyWords.txt";
const char kFeed[] = "/api/pop/keywords.txt";
const QString kNewer = QStringLiteral("提示|发现最新本，请立即更新！");

std::optional<QVariant> Evaluate(QWebEngineView& view, const QString& script) {
    std::optional<QVariant> answer;
    view.page()->runJavaScript(script, [&](const QVariant& v) { answer = v; });
    if (!WaitUntil([&] { return answer.has_value(); })) return std::nullopt;
    return answer;
}

// True once the page in the view has loaded, is taller and wider than the view, and shows no
// scroll bars (they would take their width from the viewport).
bool ScrollBarsHidden(QWebEngineView& view) {
    const auto answer = Evaluate(
        view, QStringLiteral("[document.readyState, document.body && "
                             "document.body.getAttribute('scroll'),"
                             " document.documentElement.scrollHeight > window.innerHeight,"
                             " window.innerWidth - document.documentElement.clientWidth,"
                             " window.innerHeight - document.documentElement.clientHeight]"));
    if (!answer) return false;
    const QVariantList v = answer->toList();
    return v.value(0).toString() == "complete" && v.value(1).toString() == "no" &&
           v.value(2).toBool() && v.value(3).toInt() == 0 && v.value(4).toInt() == 0;
}

TEST(UpdateCheck, BusyAnimationStandsInForTheLabelWhileWaiting) {
    VendorRig rig;
    QWidget& busy = rig.get<QWidget>("ucAniGIF3");
    QLabel& label = rig.get<QLabel>("Label2");
    const QPoint labelAt = label.pos();
    std::optional<bool> busyShown, labelShown;
    std::optional<int> busyLeft;
    QObject::connect(&rig.server, &sim::SimServer::requestReceived, rig.window.get(),
                     [&](const QString& target) {
                         if (target != kRelease) return;
                         busyShown = busy.isVisible();
                         labelShown = label.isVisible();
                         busyLeft = busy.x();
                     });
    rig.clickLabel("Label2");

    EXPECT_EQ(busyShown, true);
    EXPECT_EQ(labelShown, false);
    EXPECT_EQ(busyLeft, labelAt.x());
    EXPECT_FALSE(busy.isVisible());
    EXPECT_TRUE(label.isVisible());
    EXPECT_EQ(label.pos(), labelAt);
    // The service's default answer is our own release.
    EXPECT_EQ(label.text(), "已是最新版");
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_TRUE(rig.browser.opened.isEmpty());
}

TEST(UpdateCheck, NewerReleaseIsAnnouncedThenTheHomePageOpens) {
    VendorRig rig;
    QList<qsizetype> openedAtMessage;
    rig.dialogs.onMessage = [&] { openedAtMessage << rig.browser.opened.size(); };
    const char* answers[] = {"5", "4.5", "10", " 5\r\n"};
    for (const char* answer : answers) {
        rig.server.setVendorAnswer(kRelease, answer);
        rig.clickLabel("Label2");
    }
    EXPECT_EQ(rig.dialogs.messages, QStringList(std::size(answers), kNewer));
    EXPECT_EQ(openedAtMessage, (QList<qsizetype>{0, 1, 2, 3}));  // the box comes first
    EXPECT_EQ(rig.browser.opened, QList<QUrl>(std::size(answers), QUrl(rig.url("/"))));
    EXPECT_EQ(rig.get<QLabel>("Label2").text(), "检查更新");
    EXPECT_TRUE(rig.get<QLabel>("Label2").isVisible());
}

TEST(UpdateCheck, NoNumberOrNoAnswerOnlyBringsTheLabelBack) {
    VendorRig rig;
    for (const char* answer : {"", "abc", "<html><body>404</body></html>"}) {
        rig.server.setVendorAnswer(kRelease, answer);
        rig.clickLabel("Label2");
    }
    // A service that never answers: the busy animation must not spin for ever.
    rig.server.setVendorFault(kRelease, sim::Fault::Stall);
    rig.window->VendorHttp().setTransferTimeoutMs(300);
    QElapsedTimer clock;
    clock.start();
    rig.clickLabel("Label2");
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(rig.server.vendorHits(kRelease), 4);

    EXPECT_EQ(rig.get<QLabel>("Label2").text(), "检查更新");
    EXPECT_TRUE(rig.get<QLabel>("Label2").isVisible());
    EXPECT_FALSE(rig.get<QWidget>("ucAniGIF3").isVisible());
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_TRUE(rig.browser.opened.isEmpty());
}

TEST(VendorLinks, OpenTheHomeAndFeedbackPages) {
    VendorRig rig;
    rig.clickLabel("Labelhome");
    rig.clickLabel("Label3");
    rig.clickLabel("Labelfeedback");
    EXPECT_EQ(rig.browser.opened, (QList<QUrl>{QUrl(rig.url("/")), QUrl(rig.url("/")),
                                               QUrl(rig.url("/feedback.php"))}));
}

TEST(Banner, LongBannerShowsNoScrollBars) {
    VendorRig rig;
    QWebEngineView& banner = rig.get<QWebEngineView>("WebBrowser1");
    EXPECT_TRUE(WaitUntil([&] { return ScrollBarsHidden(banner); }, 30000));
    EXPECT_EQ(rig.server.vendorHits("/api/pages/keywords.php?ver=2.0"), 1);
}

// The feed is read by the window's one-shot timer; these tests wait for it, three real seconds.
TEST(NoticeFeed, ReadOnceThreeSecondsAfterStartEvenWhenSlow) {
    QElapsedTimer clock;
    clock.start();
    VendorRig rig;
    // Slower than the timer's interval and ending in a time-out, which reads as no network.
    rig.server.setVendorFault(kFeed, sim::Fault::Stall);
    rig.window->VendorHttp().setTransferTimeoutMs(4000);

    QList<qint64> readAt;
    QObject::connect(&rig.server, &sim::SimServer::requestReceived, rig.window.get(),
                     [&](const QString& target) {
                         if (target == kFeed) readAt << clock.elapsed();
                     });

    // The read blocks in its own wait until the time-out, past the moment a second tick would come.
    ASSERT_TRUE(WaitUntil([&] { return !readAt.isEmpty(); }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return rig.window->VendorHttp().Outstanding() == 0; }, 10000));
    EXPECT_GE(clock.elapsed(), 6500);
    ASSERT_EQ(readAt.size(), 1);
    EXPECT_GE(readAt.first(), 2800);  // a coarse timer may go off up to 5 % early
    EXPECT_LT(readAt.first(), 4500);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rig.get<QLineEdit>(qPrintable(QStringLiteral("Text1(%1)").arg(i))).text(), "");
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<notice::FrmTip*>(w), nullptr);
}

TEST(NoticeFeed, DueAnnouncementsRiseInThePopupAndGoWithTheMainWindow) {
    struct Case {
        const char* caption;
        const char* page;  // appended to the service's address unless it has a scheme
        const char* tail;  // the date and "Always" fields
        bool due;
    };
    const Case cases[] = {
        {"公告一", "/notice.html", "#2001/1/1#Always", true},
        {"公告二", "/notice.html", "#2001/1/1#always", false},
        {"公告三", "/notice.html", "#2001/1/1#Always\r\n", false},
        {"公告四", "file:///etc/passwd", "#2001/1/1#Always", true},
    };
    // All windows wait for their timers at once, so the three seconds pass only once.
    std::vector<std::unique_ptr<VendorRig>> rigs;
    for (const Case& c : cases) {
        auto rig = std::make_unique<VendorRig>();
        const QString page = QString::fromUtf8(c.page).startsWith('/') ? rig->url(c.page)
                                                                       : QString::fromUtf8(c.page);
        rig->server.setVendorAnswer(kFeed, (c.caption + ("#" + page) + c.tail).toUtf8());
        rigs.push_back(std::move(rig));
    }
    // The service's own feed carries today's date in the system's short format.
    rigs.push_back(std::make_unique<VendorRig>());

    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const auto& rig : rigs) {
                if (rig->server.vendorHits(kFeed) != 1) return false;
                if (rig->window->VendorHttp().Outstanding() != 0) return false;
            }
            return true;
        },
        15000));

    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const QList<notice::FrmTip*> popups = PopupsCaptioned(QString::fromUtf8(c.caption));
        ASSERT_EQ(popups.size(), c.due ? 1 : 0) << c.caption;
        EXPECT_EQ(rigs[i]->get<QLineEdit>("Text1(0)").text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(rigs[i]->get<QLineEdit>("Text1(3)").text(),
                  QString::fromUtf8(c.tail).section('#', 2));
    }
    // Only web addresses are shown.
    EXPECT_TRUE(PopupsCaptioned("公告四").value(0)->webBrowser1().page()->requestedUrl().isEmpty());

    const QList<notice::FrmTip*> today = PopupsCaptioned("系统公告");
    ASSERT_EQ(today.size(), 1);
    notice::FrmTip& tip = *today.first();
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.parentWidget(), nullptr);
    EXPECT_FALSE(tip.isModal());
    EXPECT_EQ(tip.webBrowser1().page()->requestedUrl(), QUrl(rigs.back()->url("/notice.html")));
    EXPECT_TRUE(WaitUntil([&] { return ScrollBarsHidden(tip.webBrowser1()); }, 30000));

    // Closing a main window takes its popup away at once, without the fade.
    int fadeSteps = 0;
    tip.setFadePause([&](int) { ++fadeSteps; });
    rigs.back()->window->close();
    EXPECT_FALSE(tip.isVisible());
    EXPECT_EQ(fadeSteps, 0);
}

}  // namespace

#include "moc_url_catcher.cpp"
