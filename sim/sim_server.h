#pragma once

#include "sim/keyword_graph.h"
#include "sim/reply.h"
#include "sim/sim_types.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <map>
#include <memory>
#include <utility>

class QHttpServerRequest;
class QTcpSocket;

namespace sim {

class HttpFrontEnd;
struct Answer;
struct EngineRequest;

// Stand-in for the three search engines and the vendor web service, a real HTTP server on
// 127.0.0.1. It answers on the event loop of its thread and never blocks it, so a client on the
// same thread (a test, the program's demo mode) can wait for it.
//
// Engine requests, result pages and suggestion answers alike, are told apart by path (see
// engine_request.h); all other paths belong to the vendor service. Suggestions are the keyword
// graph's related keywords, with the same faults, latency and blocking as pages.
class SimServer : public QObject {
    Q_OBJECT
  public:
    explicit SimServer(QObject* parent = nullptr);
    ~SimServer() override;

    bool listen(quint16 port = 0);  // on 127.0.0.1; port 0 picks a free one
    QUrl baseUrl() const;           // "http://127.0.0.1:PORT"

    void setEngineOptions(const EngineOptions& options);
    EngineOptions engineOptions() const;

    // Every engine request after the first `requests` gets the engine's block answer (see
    // block_page.h) instead of its page, whatever faults are set; a negative number never blocks.
    void setBlockAfter(int requests);

    // Fault for every engine request until changed; Fault::None ends it.
    void setFault(Fault fault, int httpStatus = 500);
    // Fault for requests of this keyword only (any engine); it takes precedence over setFault.
    void setFaultFor(const QString& keyword, Fault fault, int httpStatus = 500);
    // A canned page for one engine and keyword, served instead of the keyword graph's page; it is
    // labelled text/html with no charset unless one is given, so the client has to judge the
    // bytes itself.
    void setPage(Engine engine, const QString& keyword, const QByteArray& body, int status = 200,
                 const QByteArray& contentType = QByteArrayLiteral("text/html"));

    QList<RequestRecord> requests() const;
    void clearRequests();

    // Vendor answers and faults are looked up by path and query first, then by the path alone.
    void setVendorAnswer(const QString& pathAndQuery, const QByteArray& body, int status = 200,
                         const QByteArray& contentType = "text/plain; charset=utf-8");
    void setVendorFault(const QString& pathAndQuery, Fault fault, int httpStatus = 500);
    // A delay before every vendor answer (a timer, not a sleep), for a slow vendor service.
    void setVendorLatency(int ms) { vendorLatencyMs_ = ms; }
    // Requests to exactly this path and query; a key without '?' counts every query of the path.
    int vendorHits(const QString& pathAndQuery) const;

  signals:
    // Emitted as a request arrives, before it is answered, for engine and vendor paths alike.
    void requestReceived(const QString& pathAndQuery);
    // Emitted for an engine request once it is recorded in requests(), before it is answered.
    void engineRequestReceived(sim::Engine engine, const QString& keyword);

  private:
    struct FaultSetting {
        Fault fault = Fault::None;
        int status = 500;
    };

    void handle(const QHttpServerRequest& request, QTcpSocket* socket);
    Answer engineAnswer(const EngineRequest& request) const;
    Answer vendorAnswer(const QString& key, const QString& path) const;
    static void carryOut(const Answer& answer, const QHttpServerRequest& request,
                         QTcpSocket* socket);

    std::unique_ptr<HttpFrontEnd> http_;
    quint16 port_ = 0;

    EngineOptions options_;
    FaultSetting fault_;
    QHash<QString, FaultSetting> keywordFaults_;
    std::map<std::pair<Engine, QString>, Reply> pages_;
    QList<RequestRecord> requests_;
    QElapsedTimer clock_;  // the time base of RequestRecord::receivedMs
    int blockAfter_ = -1;
    int engineRequests_ = 0;

    QHash<QString, Reply> vendorAnswers_;
    QHash<QString, FaultSetting> vendorFaults_;
    int vendorLatencyMs_ = 0;
    QHash<QString, int> hitsByTarget_;
    QHash<QString, int> hitsByPath_;
};

}  // namespace sim
