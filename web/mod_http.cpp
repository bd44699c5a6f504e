#include "mod_http.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>

namespace web {

namespace {

// What an ordinary desktop browser sends; some engines answer bare clients with a different page.
constexpr char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/120.0.0.0 Safari/537.36";
constexpr char kAccept[] =
    "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8";
constexpr char kAcceptLanguage[] = "zh-CN,zh;q=0.9,en;q=0.8";

// Errors below 100 are the transport's own (connection refused, reset, time-out, cancelled, TLS);
// 101..199 come from a proxy. Everything above is an answer of the server.
bool IsTransportError(QNetworkReply::NetworkError e) {
    return e != QNetworkReply::NoError && e < QNetworkReply::ContentAccessDenied;
}

// Marks a reply ended by AbortAll; any other cancel is the transfer time-out's.
constexpr char kAbortedByUs[] = "quelvoAborted";

Failure TransportFailure(const QNetworkReply& reply) {
    switch (reply.error()) {
        case QNetworkReply::HostNotFoundError:
            return Failure::NameNotResolved;
        case QNetworkReply::ConnectionRefusedError:
            return Failure::Refused;
        case QNetworkReply::RemoteHostClosedError:
            return Failure::Reset;
        case QNetworkReply::TimeoutError:
            return Failure::TimedOut;
        case QNetworkReply::OperationCanceledError:
            return reply.property(kAbortedByUs).toBool() ? Failure::Aborted : Failure::TimedOut;
        default:
            return Failure::Other;
    }
}

// Answers the client refuses to follow or to read, whatever their status.
std::optional<Failure> Refusal(const QNetworkReply& reply, int status) {
    switch (reply.error()) {
        case QNetworkReply::InsecureRedirectError:
            return Failure::RefusedRedirect;
        case QNetworkReply::ProtocolUnknownError:  // file:, ftp:, data:, ...
            if (status >= 300 && status < 400) return Failure::RefusedRedirect;
            break;
        case QNetworkReply::UnknownContentError:  // the unpacking gave up: corrupt, or a bomb
            if (reply.hasRawHeader("Content-Encoding")) return Failure::BadCompression;
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace

ModHttp::ModHttp(QObject* parent) : QObject(parent) {
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

ModHttp::~ModHttp() { AbortAll(); }

void ModHttp::AbortAll() {
    // Copy: aborting finishes the reply, which lets its waiting loop remove it from the list.
    const auto replies = replies_;
    for (const auto& reply : replies)
        if (reply) {
            reply->setProperty(kAbortedByUs, true);
            reply->abort();
        }
}

int ModHttp::Unanswered() const {
    return static_cast<int>(std::count_if(replies_.begin(), replies_.end(),
                                          [](const auto& r) { return r && !r->isFinished(); }));
}

HttpResult ModHttp::Get(const QUrl& url) {
    HttpResult result;
    if (!url.isValid() || url.scheme().isEmpty()) {
        result.error = QStringLiteral("invalid address");
        result.failure = Failure::Other;
        return result;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUserAgent));
    request.setRawHeader("Accept", kAccept);
    request.setRawHeader("Accept-Language", kAcceptLanguage);
    request.setTransferTimeout(transferTimeoutMs_);

    QPointer<QNetworkReply> reply = manager_.get(request);
    replies_.push_back(reply);
    bool tooLarge = false;

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxBodyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The body is taken as it arrives through a small read buffer: the transfer then waits for us
    // instead of queueing whatever the server sends, so a body with no declared length costs at
    // most the cap, however long it runs and however busy this thread is.
    // Kept in pieces and joined once at the end: a growing array would be copied as it grows,
    // twice the cap for a moment.
    reply->setReadBufferSize(kReadBufferBytes);
    QByteArrayList body;
    qint64 received = 0;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        QByteArray piece = reply->readAll();
        received += piece.size();
        if (received > kMaxBodyBytes) {
            tooLarge = true;
            body.clear();
            reply->abort();
            return;
        }
        body.append(std::move(piece));
    });
    QObject::connect(reply, &QNetworkReply::redirected, &loop,
                     [&result](const QUrl& to) { result.redirects.append(to); });
    bool pastDeadline = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        pastDeadline = true;
        body.clear();
        reply->abort();
    });
    deadline.start(pageDeadlineMs_);
    if (!reply->isFinished()) loop.exec();
    deadline.stop();

    std::erase_if(replies_,
                  [&](const QPointer<QNetworkReply>& r) { return r.isNull() || r == reply; });
    if (!reply) {
        result.error = QStringLiteral("request destroyed");
        result.failure = Failure::Aborted;
        return result;
    }
    // The loop also ends when the whole program quits; a reply still running then is abandoned.
    if (!reply->isFinished()) {
        reply->setProperty(kAbortedByUs, true);
        reply->abort();
    }
    reply->deleteLater();

    const auto error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();

    if (pastDeadline) {
        result.error = QStringLiteral("page not whole after %1 ms").arg(pageDeadlineMs_);
        result.failure = Failure::TimedOut;
        return result;
    }
    if (tooLarge) {
        result.error = QStringLiteral("body larger than %1 bytes").arg(kMaxBodyBytes);
        result.failure = Failure::TooLarge;
        return result;
    }
    if (const auto refusal = Refusal(*reply, result.status)) {
        result.error = reply->errorString();
        result.failure = *refusal;
        return result;
    }
    if (IsTransportError(error) || !status.isValid()) {
        result.error = reply->errorString();
        result.failure = IsTransportError(error) ? TransportFailure(*reply) : Failure::Other;
        return result;
    }
    body.append(reply->readAll());
    result.body = body.join();
    if (error != QNetworkReply::NoError && result.body.isEmpty()) {
        // An error status without a body gives nothing to read.
        result.error = reply->errorString();
        result.failure = Failure::StatusWithoutBody;
        return result;
    }
    result.ok = true;
    return result;
}

std::optional<QString> ModHttp::GetHtml(const QUrl& url) { return GetPage(url).text; }

FetchedPage ModHttp::GetPage(const QUrl& url) {
    HttpResult r = Get(url);
    FetchedPage page;
    if (r.ok) page.text = PageText(r.body, r.contentType);
    page.failure = r.failure;
    page.status = r.status;
    page.redirects = std::move(r.redirects);
    page.error = std::move(r.error);
    return page;
}

std::optional<QString> ModHttp::GetResponseText(const QUrl& url) {
    const HttpResult r = Get(url);
    if (!r.ok) return std::nullopt;
    return ResponseText(r.body, r.contentType);
}

}  // namespace web
