#include <QDate>
#include <QDesktopServices>
#include <QLocale>
#include <QPointer>
#include <QWebEngineLoadingInfo>

#include "app/vendor/notice_feed.h"
#include "app/vendor/update_answer.h"
#include "frm_main.h"
#include "notice/frm_tip.h"
#include "notice/hide_scroll_bars.h"
#include "notice/page_address.h"

namespace {

const QString kReleasePath = QStringLiteral("/api/update/KeyWords.txt");
const QString kFeedPath = QStringLiteral("/api/pop/keywords.txt");
const QString kHomePath = QStringLiteral("/");
const QString kFeedbackPath = QStringLiteral("/feedback.php");
const QUrl kOwnBanner(QStringLiteral("qrc:/app/own_banner.html"));

}  // namespace

void FrmMain::Label2_Click() {
    ucAniGIF3.show();
    Label2.hide();
    ucAniGIF3.move(Label2.x(), ucAniGIF3.y());
    CheckUpdate();
}

// A vendor that cannot be reached (no network, no answer within the transfer time-out) is told
// as such: the user asked, and silence would read as "nothing new". An answer that is not a number
// changes nothing. A window closed during a wait has ended the program: the answer that arrives
// after that (the wait may return only after a run nested in it) is dropped.
void FrmMain::CheckUpdate() {
    const QPointer<FrmMain> alive(this);
    const std::optional<QString> answer =
        VendorHttp_.GetResponseText(VendorUrl(config_.vendor, kReleasePath));
    if (!alive || unloading_) return;

    if (!answer) {
        dialogs_.Information(this, QStringLiteral("提示"),
                             QStringLiteral("检查更新失败，无法连接到服务器，请检查网络后重试。"));
        if (!alive || unloading_) return;
    }
    switch (vendor::JudgeUpdateAnswer(answer.value_or(QString()))) {
        case vendor::UpdateVerdict::Newer:
            dialogs_.Information(this, QStringLiteral("提示"),
                                 QStringLiteral("发现最新本，请立即更新！"));
            if (!alive || unloading_) return;
            QDesktopServices::openUrl(VendorUrl(config_.vendor, kHomePath));
            break;
        case vendor::UpdateVerdict::Current:
            Label2.setText(QStringLiteral("已是最新版"));
            break;
        case vendor::UpdateVerdict::NotANumber:
            break;
    }
    ucAniGIF3.hide();
    Label2.show();
    Label2.move(ucAniGIF3.x(), Label2.y());
}

// A feed slower than the interval is not read twice: Qt does not deliver a timer's tick again while
// its handler is still waiting.
void FrmMain::Timer1_Timer() {
    LoadNotice();
    Timer1.stop();
}

void FrmMain::LoadNotice() {
    const QPointer<FrmMain> alive(this);
    const QString feed =
        VendorHttp_.GetResponseText(VendorUrl(config_.vendor, kFeedPath)).value_or(QString());
    if (!alive || unloading_) return;

    vendor::NoticeFields fields;
    for (size_t i = 0; i < fields.text.size(); ++i) fields.text[i] = Text1[i].text();
    vendor::ApplyFeed(feed, fields);
    for (size_t i = 0; i < fields.text.size(); ++i) Text1[i].setText(fields.text[i]);
    if (!vendor::IsNoticeDue(fields, QDate::currentDate(), QLocale::system())) return;
    // A popup that could show nothing is not raised; the fields stay stored all the same.
    if (notice::WebPageUrl(fields.address()).isEmpty()) return;

    auto tip = std::make_unique<notice::FrmTip>();
    tip->setObjectName(QStringLiteral("FrmTip"));
    tip->Navigate(fields.address());
    tip->HideScrollBars();
    tip->SetCaption(fields.caption());
    // Closing the main window ends the program; the popup goes with it, without fading.
    connect(this, &FrmMain::unloaded, tip.get(), &notice::FrmTip::CloseWithoutFade);
    tip->show();
    tip_ = std::move(tip);
}

void FrmMain::Labelhome_Click() { QDesktopServices::openUrl(VendorUrl(config_.vendor, kHomePath)); }
void FrmMain::Label3_Click() { QDesktopServices::openUrl(VendorUrl(config_.vendor, kHomePath)); }
void FrmMain::Labelfeedback_Click() {
    QDesktopServices::openUrl(VendorUrl(config_.vendor, kFeedbackPath));
}

void FrmMain::WebBrowser1_DocumentComplete(bool) { notice::HideScrollBars(*WebBrowser1.page()); }

// The vendor's banner when it loads; our own, shipped with the program, when it cannot (no network,
// no vendor host configured). A load stopped by the next one is no failure.
void FrmMain::BannerLoading(const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.url() != kOwnBanner)
        WebBrowser1.load(kOwnBanner);
}
