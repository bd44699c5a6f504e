#include "headless_mine.h"

#include "app/pacer.h"
#include "cli/standard_options.h"
#include "mining/mining_run.h"

HeadlessView::HeadlessView(const CommandLine& cl, QString taobaoMarker, std::FILE* status)
    : engine_(cl.engine),
      contains_(cl.contains),
      keyword_(cl.keyword),
      folder_(cl.outDir),
      marker_(cl.marker),
      taobaoMarker_(std::move(taobaoMarker)),
      source_(cl.source),
      verbose_(cl.verbose),
      stopWhenBlocked_(cl.stopWhenBlocked),
      list_(cl.limit),
      status_(status) {}

void HeadlessView::ListAppend(const QString& text) {
    if (!list_.append(text)) return;
    TreeEntry entry{text, 0, -1, std::nullopt};
    if (parent_ >= 0 && parent_ < tree_.size()) {
        entry.parent = parent_;
        entry.depth = tree_.at(parent_).depth + 1;
        entry.engine = pageEngine_;
        entry.source = pageSource_;
    }
    tree_.append(entry);
}

void HeadlessView::ListClear() {
    list_.clear();
    tree_.clear();
    parent_ = -1;
}

namespace {

// Status lines carry keywords and a server's words; raw, an escape sequence in them would command
// the terminal (set its title, move the cursor). C0 controls and DEL are shown as their Unicode
// pictures, the C1 controls (which some terminals obey as well) as <XX>.
QString ControlsVisible(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20)
            out += QChar(0x2400 + c);
        else if (c == 0x7F)
            out += QChar(0x2421);
        else if (c >= 0x80 && c <= 0x9F)
            out += QStringLiteral("<%1>").arg(c, 2, 16).toUpper();
        else
            out += ch;
    }
    return out;
}

}  // namespace

void HeadlessView::Print(const QString& line) {
    std::fputs((ControlsVisible(line) + u'\n').toUtf8().constData(), status_);
    std::fflush(status_);
}

void HeadlessView::SetStatus(const QString& text) { Print(text); }

void HeadlessView::ShowMessage(const QString& text) { Print(text); }

void HeadlessView::PageJudged(const mining::PageReport& report) {
    parent_ = list_.indexOf(report.keyword);
    pageEngine_ = report.engine;
    pageSource_ = report.source;
}

void HeadlessView::PageDone(const mining::PageReport& report) {
    parent_ = -1;
    if (verbose_) {
        QString line = QStringLiteral("page: %1, %2 found, %3 added")
                           .arg(mining::OutcomeName(report.outcome))
                           .arg(report.candidates)
                           .arg(report.added);
        if (report.tooLong > 0) line += QStringLiteral(", %1 too long").arg(report.tooLong);
        line += QStringLiteral(": ") + report.keyword;
        if (!report.error.isEmpty()) line += QStringLiteral(" (%1)").arg(report.error);
        Print(line);
    }
    if (report.outcome == mining::PageOutcome::Blocked && stopWhenBlocked_ && stop_) stop_();
}

int RunHeadlessMine(const CommandLine& cl, std::FILE* out, std::FILE* status, int transferTimeoutMs,
                    int pageDeadlineMs) {
    const mining::TableRead engines = EnginesInEffect(cl.config);
    if (!engines.error.isEmpty()) {
        std::fputs(("quelvo: " + engines.error + u'\n').toUtf8().constData(), status);
        return cli::kUsageStatus;
    }
    HeadlessView view(cl, engines.table.Of(mining::Engine::Taobao).marker, status);
    web::ModHttp http;
    http.setTransferTimeoutMs(transferTimeoutMs);
    http.setPageDeadlineMs(pageDeadlineMs);
    Pacer pacer(cl.delayMs);
    const auto fetch = [&](const QUrl& url) {
        pacer.Wait();
        web::FetchedPage page = http.GetPage(url);
        pacer.Done();
        return page;
    };
    mining::MiningRun run(view, engines.table, fetch, [&http] { http.AbortAll(); });
    view.SetStopper([&run] { run.CmdStop_Click(); });
    run.CmdStart_Click();

    std::fputs(run.Summary().Text().toUtf8().constData(), status);
    std::fflush(status);
    const QByteArray listing = ExportList(view.Tree(), cl.format);
    std::fwrite(listing.constData(), 1, static_cast<size_t>(listing.size()), out);
    std::fflush(out);
    return run.Summary().Fetched() > 0 && run.FileTrouble().isEmpty() ? 0 : 1;
}
