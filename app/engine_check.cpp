#include "engine_check.h"

#include <QElapsedTimer>

#include "app/list_export.h"
#include "cli/standard_options.h"
#include "mining/page_outcome.h"
#include "mining/suggestions.h"

namespace {

using mining::PageOutcome;

struct Verdict {
    mining::Engine engine;
    mining::Source source;
    PageOutcome outcome;
    int keywords = 0;
    int httpStatus = 0;
    qint64 ms = 0;
};

QString StatusName(PageOutcome outcome) {
    switch (outcome) {
        case PageOutcome::Ok:
            return QStringLiteral("ok");
        case PageOutcome::NoMarker:
            return QStringLiteral("no-marker");
        case PageOutcome::BadAnswer:
            return QStringLiteral("bad-answer");
        case PageOutcome::Blocked:
            return QStringLiteral("blocked");
        default:
            return QStringLiteral("unreachable");
    }
}

Verdict Probe(web::ModHttp& http, const mining::EngineTable& table, mining::Engine engine,
              mining::Source source, const QString& probe) {
    const mining::EngineEntry& entry = table.Of(engine);
    const bool related = source == mining::Source::Related;
    const QString marker = related ? entry.marker : QString();
    QElapsedTimer clock;
    clock.start();
    const web::FetchedPage page =
        http.GetPage(mining::AddressFor(related ? entry.relatedUrl : entry.suggestUrl, probe));
    Verdict v{engine, source, PageOutcome::Ok, 0, page.status, clock.elapsed()};
    const auto keywords = page.text
                              ? mining::OfferedKeywords(*page.text, source, marker, entry.format)
                              : std::nullopt;
    v.outcome = mining::JudgePage(engine, probe, marker, page, source, keywords.has_value());
    if (v.outcome == PageOutcome::Ok) v.keywords = static_cast<int>(keywords->size());
    return v;
}

// One line a verdict; a changed page or answer says what to do about it.
QString TextLine(const Verdict& v, const mining::EngineTable& table) {
    const QString file = table.file.isEmpty() ? mining::UserEnginesFile() : table.file;
    const mining::EngineEntry& entry = table.Of(v.engine);
    QString line = mining::EngineName(v.engine) + u' ' + mining::SourceName(v.source) +
                   QStringLiteral(": ") + StatusName(v.outcome);
    if (v.outcome == PageOutcome::Ok) line += QStringLiteral(", %1 keywords").arg(v.keywords);
    if (StatusName(v.outcome) == u"unreachable")
        line += QStringLiteral(": ") + mining::OutcomeName(v.outcome);
    line += v.httpStatus ? QStringLiteral(" (HTTP %1, %2 ms)").arg(v.httpStatus).arg(v.ms)
                         : QStringLiteral(" (%1 ms)").arg(v.ms);
    if (v.outcome == PageOutcome::NoMarker)
        line += QStringLiteral(
                    ": the page came without the marker %1; the engine has changed "
                    "its page: put its new marker in the engines file %2")
                    .arg(entry.marker, file);
    if (v.outcome == PageOutcome::BadAnswer)
        line += QStringLiteral(
                    ": the answer is not in the %1 format; the engine has changed it: "
                    "put its new address or format in the engines file %2")
                    .arg(mining::FormatName(entry.format), file);
    return line;
}

// Written by hand: the keys keep the order the users' scripts were promised.
QByteArray Json(const QList<Verdict>& verdicts) {
    QString out = QStringLiteral("[");
    for (qsizetype i = 0; i < verdicts.size(); ++i) {
        const Verdict& v = verdicts.at(i);
        out += (i == 0 ? QStringLiteral("\n") : QStringLiteral(",\n")) +
               QStringLiteral(
                   "    {\"engine\": %1, \"source\": %2, \"status\": %3, \"keywords\": %4, "
                   "\"http_status\": %5, \"ms\": %6}")
                   .arg(JsonString(mining::EngineName(v.engine)),
                        JsonString(mining::SourceName(v.source)), JsonString(StatusName(v.outcome)),
                        QString::number(v.keywords), QString::number(v.httpStatus),
                        QString::number(v.ms));
    }
    return (out + (verdicts.isEmpty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n"))).toUtf8();
}

}  // namespace

int RunCheck(const CommandLine& cl, std::FILE* out, std::FILE* err, int transferTimeoutMs) {
    const mining::TableRead read = EnginesInEffect(cl.config);
    if (!read.error.isEmpty()) {
        std::fputs(("quelvo: " + read.error + u'\n').toUtf8().constData(), err);
        return cli::kUsageStatus;
    }
    web::ModHttp http;
    http.setTransferTimeoutMs(transferTimeoutMs);
    QList<Verdict> verdicts;
    bool allOk = true;
    for (const mining::Engine engine : mining::kEngines) {
        if (cl.engineSet && engine != cl.engine) continue;
        for (const mining::Source source : {mining::Source::Related, mining::Source::Suggest}) {
            if (cl.sourceSet && source != cl.source) continue;
            verdicts.append(Probe(http, read.table, engine, source, cl.probe));
            allOk = allOk && verdicts.last().outcome == PageOutcome::Ok;
            if (cl.format != CommandLine::Format::Json) {
                std::fputs((TextLine(verdicts.last(), read.table) + u'\n').toUtf8().constData(),
                           out);
                std::fflush(out);
            }
        }
    }
    if (cl.format == CommandLine::Format::Json) {
        const QByteArray json = Json(verdicts);
        std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), out);
    }
    std::fflush(out);
    return allOk ? 0 : 1;
}
