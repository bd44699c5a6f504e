#pragma once

#include "support/wait_until.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

struct Fetched {
    int status = 0;  // 0 when the request failed or timed out
    QByteArray body;
};

inline Fetched Fetch(QNetworkAccessManager& network, const QUrl& url) {
    QNetworkReply* reply = network.get(QNetworkRequest(url));
    if (!WaitUntil([reply] { return reply->isFinished(); })) reply->abort();
    Fetched fetched;
    fetched.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->isOpen()) fetched.body = reply->readAll();
    reply->deleteLater();
    return fetched;
}
