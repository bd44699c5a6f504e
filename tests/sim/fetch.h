#pragma once

#include "support/wait_until.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

// What a GET brought back; finished is false when the deadline passed first (the request is
// then aborted).
struct Fetched {
    bool finished = false;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    QByteArray contentType;
    QByteArray contentLength;
    QByteArray body;
};

inline Fetched Fetch(QNetworkAccessManager& network, const QUrl& url, int deadlineMs = 5000) {
    QNetworkReply* reply = network.get(QNetworkRequest(url));
    Fetched fetched;
    fetched.finished = WaitUntil([reply] { return reply->isFinished(); }, deadlineMs);
    if (!fetched.finished) reply->abort();
    fetched.error = reply->error();
    fetched.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    fetched.contentType = reply->rawHeader("Content-Type");
    fetched.contentLength = reply->rawHeader("Content-Length");
    if (reply->isOpen()) fetched.body = reply->readAll();
    reply->deleteLater();
    return fetched;
}
