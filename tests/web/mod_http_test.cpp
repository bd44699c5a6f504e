#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include "sim/sim_server.h"
#include "web/mod_http.h"

namespace {

QUrl BaiduUrl(const sim::SimServer& server, const QString& keyword) {
    return QUrl(server.baseUrl().toString() + "/s?wd=" + QUrl::toPercentEncoding(keyword));
}

// A one-shot raw server: records the request head and answers with `reply` for every request.
struct RawServer {
    QTcpServer tcp;
    QByteArray head;
    QByteArray reply;
    RawServer() {
        tcp.listen(QHostAddress::LocalHost);
        QObject::connect(&tcp, &QTcpServer::newConnection, &tcp, [this] {
            while (QTcpSocket* s = tcp.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    head += s->readAll();
                    if (head.contains("\r\n\r\n")) {
                        s->write(reply);
                        s->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString url(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(tcp.serverPort()).arg(path);
    }
};

}  // namespace

TEST(ModHttp, PagesAndErrorPagesAreTextFailuresAreNot) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    web::ModHttp http;
    http.setTransferTimeoutMs(300);

    server.setPage(sim::Engine::Baidu, "ok", QStringLiteral("<p>页面</p>").toUtf8());
    EXPECT_EQ(http.GetHtml(BaiduUrl(server, "ok")), QStringLiteral("<p>页面</p>"));

    server.setPage(sim::Engine::Baidu, "404", "<h1>not here</h1>", 404);
    const web::HttpResult notFound = http.Get(BaiduUrl(server, "404"));
    EXPECT_TRUE(notFound.ok);
    EXPECT_EQ(notFound.status, 404);
    EXPECT_EQ(notFound.body, QByteArray("<h1>not here</h1>"));

    // An empty page is an empty text, not a failure.
    server.setFaultFor("empty", sim::Fault::EmptyBody);
    EXPECT_EQ(http.GetHtml(BaiduUrl(server, "empty")), QString());

    server.setPage(sim::Engine::Baidu, "503", "", 503);
    const web::HttpResult bare = http.Get(BaiduUrl(server, "503"));
    EXPECT_FALSE(bare.ok);
    EXPECT_EQ(bare.failure, web::Failure::StatusWithoutBody);

    const std::pair<sim::Fault, web::Failure> faults[] = {
        {sim::Fault::Reset, web::Failure::Reset},
        {sim::Fault::Stall, web::Failure::TimedOut},
        {sim::Fault::Oversize, web::Failure::TooLarge},
    };
    for (const auto& [fault, failure] : faults) {
        server.setFaultFor("bad", fault);
        const web::HttpResult r = http.Get(BaiduUrl(server, "bad"));
        EXPECT_FALSE(r.ok) << int(fault);
        EXPECT_EQ(r.failure, failure) << int(fault);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_FALSE(http.GetHtml(BaiduUrl(server, "bad")).has_value());
    }
    EXPECT_EQ(http.Outstanding(), 0);
}

TEST(ModHttp, NoServerAndBadAddressesFail) {
    web::ModHttp http;
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    EXPECT_EQ(http.Get(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))).failure,
              web::Failure::Refused);
    // Longer than a DNS name may be, so the resolver gives up without asking any server.
    const QString label(62, u'x');
    const QUrl unresolvable(QStringLiteral("http://%1.%1.%1.%1.test/").arg(label));
    EXPECT_EQ(http.Get(unresolvable).failure, web::Failure::NameNotResolved);
    EXPECT_EQ(http.Get(QUrl()).failure, web::Failure::Other);
    EXPECT_FALSE(http.Get(QUrl("no-scheme")).ok);
}

TEST(ModHttp, AbortAllEndsAWaitAsAFailure) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    server.setFault(sim::Fault::Stall);
    web::ModHttp http;
    QTimer::singleShot(50, &http, [&] { http.AbortAll(); });
    const web::HttpResult r = http.Get(BaiduUrl(server, "x"));
    EXPECT_EQ(r.failure, web::Failure::Aborted);  // not taken for a time-out
    EXPECT_EQ(http.Outstanding(), 0);
}

TEST(ModHttp, SendsBrowserHeadersAndFollowsRedirects) {
    RawServer target;
    target.reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nhi";
    RawServer redirect;
    redirect.reply = "HTTP/1.1 302 Found\r\nLocation: " + target.url("/final").toUtf8() +
                     "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    web::ModHttp http;
    const web::HttpResult r = http.Get(QUrl(redirect.url("/start")));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.body, QByteArray("hi"));
    EXPECT_EQ(r.redirects, QList<QUrl>{QUrl(target.url("/final"))});
    EXPECT_TRUE(redirect.head.startsWith("GET /start "));
    EXPECT_TRUE(target.head.startsWith("GET /final "));
    EXPECT_TRUE(target.head.contains("User-Agent: Mozilla/5.0"));
    EXPECT_TRUE(target.head.contains("Accept-Language: zh-CN"));
}

// A byte every 20 ms keeps the transfer time-out from ever firing; the page's deadline ends it.
TEST(ModHttp, APageThatNeverEndsTimesOutAtTheDeadline) {
    QTcpServer tcp;
    tcp.listen(QHostAddress::LocalHost);
    QTimer drip;
    QObject::connect(&tcp, &QTcpServer::newConnection, &tcp, [&] {
        QTcpSocket* s = tcp.nextPendingConnection();
        s->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        QObject::connect(&drip, &QTimer::timeout, s, [s] { s->write("1\r\nx\r\n"); });
        drip.start(20);
    });
    web::ModHttp http;
    http.setTransferTimeoutMs(200);
    http.setPageDeadlineMs(500);
    const web::FetchedPage page =
        http.GetPage(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(tcp.serverPort())));
    EXPECT_EQ(page.failure, web::Failure::TimedOut);
}

TEST(ModHttp, OversizedBadlyCompressedAndRedirectedOutOfHttpBodiesAreRefused) {
    const QByteArray bomb = qCompress(QByteArray(20 * 1024 * 1024, '\0'), 9).mid(4);
    const QByteArray close = "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    const std::pair<QByteArray, web::Failure> cases[] = {
        // No Content-Length: the limit must hold while the body streams in.
        {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" +
             QByteArray(web::ModHttp::kMaxBodyBytes + 1024, 'x'),
         web::Failure::TooLarge},
        {"HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: " +
             QByteArray::number(bomb.size()) + "\r\nConnection: close\r\n\r\n" + bomb,
         web::Failure::BadCompression},
        {"HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: 10\r\n\r\n0123456789",
         web::Failure::BadCompression},
        {"HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd" + close,
         web::Failure::RefusedRedirect},
        {"HTTP/1.1 301 Moved\r\nLocation: ftp://127.0.0.1/x" + close,
         web::Failure::RefusedRedirect},
    };
    for (const auto& [reply, failure] : cases) {
        RawServer server;
        server.reply = reply;
        web::ModHttp http;
        const web::HttpResult r = http.Get(QUrl(server.url("/x")));
        EXPECT_EQ(r.failure, failure) << reply.left(60).constData();
        EXPECT_TRUE(r.body.isEmpty());
        EXPECT_FALSE(r.error.isEmpty());
    }
}
