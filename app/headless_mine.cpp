#include "headless_mine.h"

#include "mining/mining_run.h"
#include "web/mod_http.h"

HeadlessView::HeadlessView(const CommandLine& cl, std::FILE* status)
    : engine_(cl.engine),
      contains_(cl.contains),
      keyword_(cl.keyword),
      folder_(cl.outDir),
      status_(status) {}

QString HeadlessView::TaobaoMarker() const { return mining::DefaultTaobaoMarker(); }

void HeadlessView::SetStatus(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), status_);
    std::fflush(status_);
}

void HeadlessView::ShowMessage(const QString& text) { SetStatus(text); }

int RunHeadlessMine(const CommandLine& cl, std::FILE* out, std::FILE* status) {
    HeadlessView view(cl, status);
    web::ModHttp http;
    mining::MiningRun run(
        view, cl.config.hosts, [&http](const QUrl& url) { return http.GetHtml(url); },
        [&http] { http.AbortAll(); });
    run.CmdStart_Click();

    QByteArray listing;
    for (const QString& entry : view.List().entries()) listing += entry.toUtf8() + '\n';
    std::fwrite(listing.constData(), 1, static_cast<size_t>(listing.size()), out);
    std::fflush(out);
    return 0;
}
