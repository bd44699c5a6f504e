#include "sim/sim_server.h"

#include "sim/block_page.h"
#include "sim/body_charset.h"
#include "sim/engine_page.h"
#include "sim/engine_request.h"
#include "sim/http_front_end.h"
#include "sim/reply_writer.h"
#include "sim/request_target.h"
#include "sim/suggest_answer.h"
#include "sim/vendor_pages.h"

#include <QDate>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace sim {
namespace {

// Exact path and query first, then the path alone.
template <typename T>
const T* Find(const QHash<QString, T>& table, const QString& key, const QString& pathKey) {
    auto it = table.constFind(key);
    if (it == table.constEnd()) it = table.constFind(pathKey);
    return it == table.constEnd() ? nullptr : &*it;
}

}  // namespace

SimServer::SimServer(QObject* parent)
    : QObject(parent),
      http_(
          std::make_unique<HttpFrontEnd>([this](const QHttpServerRequest& request,
                                                QTcpSocket* socket) { handle(request, socket); })) {
    clock_.start();
}

SimServer::~SimServer() = default;

bool SimServer::listen(quint16 port) {
    if (port_ != 0) return false;
    port_ = http_->listen(QHostAddress::LocalHost, port);
    return port_ != 0;
}

QUrl SimServer::baseUrl() const {
    if (port_ == 0) return {};
    return QUrl(QStringLiteral("http://127.0.0.1:") + QString::number(port_));
}

void SimServer::setEngineOptions(const EngineOptions& options) { options_ = options; }

EngineOptions SimServer::engineOptions() const { return options_; }

void SimServer::setBlockAfter(int requests) { blockAfter_ = requests; }

void SimServer::setFault(Fault fault, int httpStatus) { fault_ = {fault, httpStatus}; }

void SimServer::setFaultFor(const QString& keyword, Fault fault, int httpStatus) {
    if (fault == Fault::None) {
        keywordFaults_.remove(keyword);
    } else {
        keywordFaults_.insert(keyword, {fault, httpStatus});
    }
}

void SimServer::setPage(Engine engine, const QString& keyword, const QByteArray& body, int status,
                        const QByteArray& contentType) {
    pages_[{engine, keyword}] = Reply{status, contentType, body, {}};
}

QList<RequestRecord> SimServer::requests() const { return requests_; }

void SimServer::clearRequests() { requests_.clear(); }

void SimServer::setVendorAnswer(const QString& pathAndQuery, const QByteArray& body, int status,
                                const QByteArray& contentType) {
    vendorAnswers_.insert(TargetKey(pathAndQuery), Reply{status, contentType, body, {}});
}

void SimServer::setVendorFault(const QString& pathAndQuery, Fault fault, int httpStatus) {
    if (fault == Fault::None) {
        vendorFaults_.remove(TargetKey(pathAndQuery));
    } else {
        vendorFaults_.insert(TargetKey(pathAndQuery), {fault, httpStatus});
    }
}

int SimServer::vendorHits(const QString& pathAndQuery) const {
    const QString key = TargetKey(pathAndQuery);
    return key.contains(u'?') ? hitsByTarget_.value(key) : hitsByPath_.value(key);
}

void SimServer::handle(const QHttpServerRequest& request, QTcpSocket* socket) {
    const QUrl url = request.url();
    const QString key = PathAndQuery(url);
    emit requestReceived(key);

    Answer answer;
    if (const auto engineRequest = ParseEngineRequest(url)) {
        requests_.append({engineRequest->engine, engineRequest->keyword, EncodedTarget(url),
                          clock_.elapsed(), engineRequest->suggest});
        emit engineRequestReceived(engineRequest->engine, engineRequest->keyword);
        answer = engineAnswer(*engineRequest);
        // Counted over the server's life, as an engine counts a client's requests.
        if (blockAfter_ >= 0 && ++engineRequests_ > blockAfter_) {
            answer.fault = Fault::None;
            answer.reply = BlockAnswer(engineRequest->engine, baseUrl(), engineRequest->keyword);
        }
    } else {
        const QString pathKey = PathAndQuery(url.adjusted(QUrl::RemoveQuery));
        ++hitsByTarget_[key];
        ++hitsByPath_[pathKey];
        answer = vendorAnswer(key, pathKey);
    }
    if (answer.fault == Fault::RedirectLoop)
        answer.reply = {302, QByteArrayLiteral("text/html"), {}, EncodedTarget(url)};
    carryOut(answer, request, socket);
}

Answer SimServer::engineAnswer(const EngineRequest& request) const {
    const Engine engine = request.engine;
    const QString& keyword = request.keyword;
    const QByteArray contentType = "text/html; charset=" + CharsetLabel(options_.charset);
    Answer answer;
    answer.delayMs = std::max(options_.latencyMs, 0);
    const FaultSetting fault = keywordFaults_.value(keyword, fault_);
    if (fault.fault != Fault::None) {
        answer.fault = fault.fault;
        answer.reply = {fault.status, contentType, {}, {}};
        return answer;
    }
    if (request.suggest) {
        answer.reply = SuggestAnswer(engine, keyword, RelatedKeywords(keyword, options_, engine),
                                     request.charset, options_.charset);
        return answer;
    }
    if (const auto page = pages_.find({engine, keyword}); page != pages_.end()) {
        answer.reply = page->second;
        return answer;
    }
    const QString html = EnginePage(engine, keyword, RelatedKeywords(keyword, options_, engine),
                                    CharsetLabel(options_.charset));
    answer.reply = {200, contentType, EncodeBody(html, options_.charset), {}};
    return answer;
}

Answer SimServer::vendorAnswer(const QString& key, const QString& pathKey) const {
    Answer answer;
    answer.delayMs = std::max(vendorLatencyMs_, 0);
    if (const Reply* reply = Find(vendorAnswers_, key, pathKey)) {
        answer.reply = *reply;
    } else if (auto verification = VerificationPage(pathKey)) {
        answer.reply = *verification;
    } else if (auto standard = DefaultVendorReply(key, baseUrl(), QDate::currentDate())) {
        answer.reply = *standard;
    } else if (auto standard = DefaultVendorReply(pathKey, baseUrl(), QDate::currentDate())) {
        answer.reply = *standard;
    } else {
        answer.reply = ErrorReply(404);
    }
    if (const FaultSetting* fault = Find(vendorFaults_, key, pathKey)) {
        answer.fault = fault->fault;
        if (fault->fault == Fault::HttpError) answer.reply.status = fault->status;
    }
    return answer;
}

void SimServer::carryOut(const Answer& answer, const QHttpServerRequest& request,
                         QTcpSocket* socket) {
    if (answer.fault == Fault::Stall) return;
    auto responder =
        std::make_shared<QHttpServerResponder>(HttpFrontEnd::Responder(request, socket));
    // A reset also waits for the next pass of the event loop: the socket must not be closed
    // under Qt's own read handler, which is still on the stack.
    if (answer.delayMs == 0 && answer.fault != Fault::Reset) {
        Deliver(answer, *responder, socket);
        return;
    }
    // The socket is the timer's context: a client that gives up first cancels the answer.
    QTimer::singleShot(answer.delayMs, socket, [answer, responder, socket] {
        if (socket->state() == QAbstractSocket::ConnectedState) {
            Deliver(answer, *responder, socket);
        }
    });
}

}  // namespace sim
