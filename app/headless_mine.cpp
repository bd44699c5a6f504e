#include "headless_mine.h"

#include "app/pacer.h"
#include "mining/mining_run.h"

HeadlessView::HeadlessView(const CommandLine& cl, std::FILE* status)
    : engine_(cl.engine),
      contains_(cl.contains),
      keyword_(cl.keyword),
      folder_(cl.outDir),
      marker_(cl.marker),
      verbose_(cl.verbose),
      stopWhenBlocked_(cl.stopWhenBlocked),
      list_(cl.limit),
      status_(status) {}

QString HeadlessView::TaobaoMarker() const { return mining::DefaultTaobaoMarker(); }

void HeadlessView::ListAppend(const QString& text) {
    if (!list_.append(text)) return;
    TreeEntry entry{text, 0, -1, std::nullopt};
    if (parent_ >= 0 && parent_ < tree_.size()) {
        entry.parent = parent_;
        entry.depth = tree_.at(parent_).depth + 1;
        entry.engine = pageEngine_;
    }
    tree_.append(entry);
}

void HeadlessView::ListClear() {
    list_.clear();
    tree_.clear();
    parent_ = -1;
}

void HeadlessView::Print(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), status_);
    std::fflush(status_);
}

void HeadlessView::SetStatus(const QString& text) { Print(text); }

void HeadlessView::ShowMessage(const QString& text) { Print(text); }

bool HeadlessView::TakePage(const mining::PageReport& report, const QString& page) {
    outcome_ = JudgePage(report, answer_, page);
    parent_ = list_.indexOf(report.keyword);
    pageEngine_ = report.engine;
    return *outcome_ != PageOutcome::Blocked;  // a verification page offers nothing to mine
}

void HeadlessView::PageDone(const mining::PageReport& report) {
    const PageOutcome outcome = outcome_.value_or(JudgePage(report, answer_, QString()));
    outcome_.reset();
    parent_ = -1;
    summary_.Count(outcome, report.fetched);
    if (verbose_)
        Print(QStringLiteral("page: %1, %2 found, %3 added: %4")
                  .arg(OutcomeName(outcome))
                  .arg(report.candidates)
                  .arg(report.added)
                  .arg(report.keyword));
    if (outcome == PageOutcome::Blocked && stopWhenBlocked_ && stop_) stop_();
}

int RunHeadlessMine(const CommandLine& cl, std::FILE* out, std::FILE* status,
                    int transferTimeoutMs) {
    HeadlessView view(cl, status);
    web::ModHttp http;
    http.setTransferTimeoutMs(transferTimeoutMs);
    Pacer pacer(cl.delayMs);
    const auto fetch = [&](const QUrl& url) -> std::optional<QString> {
        pacer.Wait();
        web::HttpResult answer = http.Get(url);
        pacer.Done();
        std::optional<QString> text;
        if (answer.ok) text = web::BytesToText(answer.body);
        view.SetAnswer(std::move(answer));
        return text;
    };
    mining::MiningRun run(view, cl.config.hosts, fetch, [&http] { http.AbortAll(); });
    view.SetStopper([&run] { run.CmdStop_Click(); });
    run.CmdStart_Click();

    std::fputs(view.Summary().Text().toUtf8().constData(), status);
    std::fflush(status);
    const QByteArray listing = ExportList(view.Tree(), cl.format);
    std::fwrite(listing.constData(), 1, static_cast<size_t>(listing.size()), out);
    std::fflush(out);
    return view.Summary().Fetched() > 0 ? 0 : 1;
}
