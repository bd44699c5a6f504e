#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

#include "sim/sim_server.h"
#include "web/mod_http.h"

namespace {

QUrl BaiduUrl(const sim::SimServer& server, const QString& keyword) {
    return QUrl(server.baseUrl().toString() + "/s?wd=" + QUrl::toPercentEncoding(keyword));
}

// A raw server: records the request heads and answers each path with the bytes set for it. The
// answer to /drip never ends: a chunk of one byte every 20 ms.
struct RawServer {
    QTcpServer tcp;
    QTimer drip;
    QByteArray head;
    QHash<QByteArray, QByteArray> replies;  // by path
    RawServer() {
        tcp.listen(QHostAddress::LocalHost);
        drip.start(20);
        QObject::connect(&tcp, &QTcpServer::newConnection, &tcp, [this] {
            while (QTcpSocket* s = tcp.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    head += s->readAll();
                    if (!head.endsWith("\r\n\r\n")) return;  // the head is not whole yet
                    const QByteArray path = head.mid(head.lastIndexOf("GET ")).split(' ').value(1);
                    s->write(replies.value(path));
                    if (path == "/drip")
                        QObject::connect(&drip, &QTimer::timeout, s,
                                         [s] { s->write("1\r\nx\r\n"); });
                    else
                        s->disconnectFromHost();
                });
            }
        });
    }
    QUrl answer(const QByteArray& path, const QByteArray& reply) {
        replies.insert(path, reply);
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(tcp.serverPort()).arg(path));
    }
};

}  // namespace

TEST(ModHttp, PagesAndErrorPagesWithABodyAreText) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    server.setPage(sim::Engine::Baidu, "ok", "<p>页面</p>");
    server.setPage(sim::Engine::Baidu, "404", "<h1>not here</h1>", 404);
    server.setFaultFor("empty", sim::Fault::EmptyBody);
    web::ModHttp http;
    EXPECT_EQ(http.GetHtml(BaiduUrl(server, "ok")), QStringLiteral("<p>页面</p>"));
    EXPECT_EQ(http.GetHtml(BaiduUrl(server, "empty")), QString());  // empty, not a failure
    const web::HttpResult notFound = http.Get(BaiduUrl(server, "404"));
    EXPECT_EQ(std::tie(notFound.ok, notFound.status, notFound.body),
              std::tuple(true, 404, QByteArray("<h1>not here</h1>")));
}

// Every way a fetch fails, and the cause a run counts it under.
TEST(ModHttp, EveryFailureHasItsCause) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    const auto fault = [&](sim::Fault f) {
        const QString keyword = QString::number(int(f));
        server.setFaultFor(keyword, f);
        return BaiduUrl(server, keyword);
    };
    server.setPage(sim::Engine::Baidu, "503", "", 503);
    RawServer raw;
    const QByteArray bomb = qCompress(QByteArray(20 * 1024 * 1024, '\0'), 9).mid(4);
    const QByteArray close = "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    RawServer gone;  // a port nothing listens on any more
    const QUrl refused = gone.answer("/", {});
    gone.tcp.close();
    // Longer than a DNS name may be, so the resolver gives up without asking any server.
    const QString label(62, u'x');
    const std::pair<QUrl, web::Failure> cases[] = {
        {refused, web::Failure::Refused},
        {QStringLiteral("http://%1.%1.%1.%1.test/").arg(label), web::Failure::NameNotResolved},
        {fault(sim::Fault::Reset), web::Failure::Reset},
        {fault(sim::Fault::Stall), web::Failure::TimedOut},
        {fault(sim::Fault::Oversize), web::Failure::TooLarge},
        // No Content-Length: the limit must hold while the body streams in.
        {fault(sim::Fault::Flood), web::Failure::TooLarge},
        {BaiduUrl(server, "503"), web::Failure::StatusWithoutBody},
        {raw.answer("/bomb", "HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: " +
                                 QByteArray::number(bomb.size()) + "\r\n\r\n" + bomb),
         web::Failure::BadCompression},
        {raw.answer("/file", "HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd" + close),
         web::Failure::RefusedRedirect},
        {fault(sim::Fault::RedirectLoop), web::Failure::Other},
        {QUrl(), web::Failure::Other},
        {QUrl("no-scheme"), web::Failure::Other},
    };
    web::ModHttp http;
    http.setTransferTimeoutMs(300);
    for (const auto& [url, failure] : cases) {
        const web::HttpResult r = http.Get(url);
        EXPECT_EQ(std::tuple(r.failure, r.ok, r.body.isEmpty(), r.error.isEmpty()),
                  std::tuple(failure, false, true, false))
            << url.toString().left(60).toStdString();
    }
    EXPECT_FALSE(http.GetHtml(fault(sim::Fault::Reset)).has_value());
    EXPECT_EQ(http.Outstanding(), 0);
}

TEST(ModHttp, AbortAllEndsAWaitAsAFailure) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    server.setFault(sim::Fault::Stall);
    web::ModHttp http;
    QTimer::singleShot(50, &http, [&] { http.AbortAll(); });
    EXPECT_EQ(http.Get(BaiduUrl(server, "x")).failure, web::Failure::Aborted);  // not a time-out
    EXPECT_EQ(http.Outstanding(), 0);
}

TEST(ModHttp, SendsBrowserHeadersAndFollowsRedirects) {
    RawServer raw;
    const QUrl target = raw.answer("/final", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi");
    const web::HttpResult r = web::ModHttp().Get(
        raw.answer("/start", "HTTP/1.1 302 Found\r\nLocation: " + target.toEncoded() +
                                 "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"));
    EXPECT_EQ(r.body, QByteArray("hi"));
    EXPECT_EQ(r.redirects, QList<QUrl>{target});
    EXPECT_TRUE(raw.head.contains("User-Agent: Mozilla/5.0"));
    EXPECT_TRUE(raw.head.contains("Accept-Language: zh-CN"));
}

// A byte every 20 ms keeps the transfer time-out from ever firing; the page's deadline ends it.
TEST(ModHttp, APageThatNeverEndsTimesOutAtTheDeadline) {
    RawServer raw;
    web::ModHttp http;
    http.setTransferTimeoutMs(200);
    http.setPageDeadlineMs(500);
    const QUrl drip = raw.answer("/drip", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
    EXPECT_EQ(http.GetPage(drip).failure, web::Failure::TimedOut);
}
