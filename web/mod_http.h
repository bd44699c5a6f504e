#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <QList>
#include <optional>
#include <vector>

#include "web/fetched_page.h"

class QNetworkReply;

namespace web {

// Outcome of one GET. `ok` is false only for a transport failure (no connection, reset, time-out,
// no body, oversized body, aborted); an HTTP error status that comes with a body is a page.
struct HttpResult {
    bool ok = false;
    int status = 0;
    QByteArray body;
    QByteArray contentType;
    QString error;
    Failure failure = Failure::None;  // None exactly when ok
    QList<QUrl> redirects;            // every address the request was sent on to, in order
};

// Decodes bytes as UTF-8 or GBK by looking at the bytes themselves.
bool IsUtf8(const QByteArray& body);
QString BytesToText(const QByteArray& body);
// Decodes a result page: by the charset its Content-Type declares when that is UTF-8, GBK, GB2312
// or GB18030, by its bytes otherwise.
QString PageText(const QByteArray& body, const QByteArray& contentType);
// Decodes a body the way a browser's request object would: the charset of the Content-Type
// header when it names one the platform knows, UTF-8 otherwise.
QString ResponseText(const QByteArray& body, const QByteArray& contentType);

// The program's HTTP component. Each wait runs a local event loop so the windows stay alive; one
// manager is kept so connections are reused between fetches.
class ModHttp : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultTransferTimeoutMs = 30000;
    // The transfer time-out restarts with every byte; a server sending one a second would hold a
    // run for ever without a deadline for the whole page.
    static constexpr int kDefaultPageDeadlineMs = 60000;
    static constexpr qint64 kMaxBodyBytes = 16 * 1024 * 1024;
    static constexpr qint64 kReadBufferBytes = 256 * 1024;

    explicit ModHttp(QObject* parent = nullptr);
    ~ModHttp() override;

    // Blocks the caller (running the event loop) until the request has ended.
    HttpResult Get(const QUrl& url);
    // The page text, or nothing when the fetch failed.
    std::optional<QString> GetHtml(const QUrl& url);
    // The page text with how it came, or why it did not.
    FetchedPage GetPage(const QUrl& url);
    // The body decoded by its declared charset, or nothing when the fetch failed.
    std::optional<QString> GetResponseText(const QUrl& url);

    // Ends every outstanding request; their waits return as failures.
    void AbortAll();
    int Outstanding() const { return static_cast<int>(replies_.size()); }
    // Requests still waiting for their answer; an answered one stays outstanding until its wait
    // has returned, which a wait nested in it can delay.
    int Unanswered() const;

    void setTransferTimeoutMs(int ms) { transferTimeoutMs_ = ms; }
    int transferTimeoutMs() const { return transferTimeoutMs_; }
    void setPageDeadlineMs(int ms) { pageDeadlineMs_ = ms; }

  private:
    QNetworkAccessManager manager_;
    std::vector<QPointer<QNetworkReply>> replies_;
    int transferTimeoutMs_ = kDefaultTransferTimeoutMs;
    int pageDeadlineMs_ = kDefaultPageDeadlineMs;
};

}  // namespace web
