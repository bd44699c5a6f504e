#pragma once

#include <QAbstractHttpServer>
#include <QHttpServerResponder>

#include <functional>

class QHttpServerRequest;
class QTcpSocket;

namespace sim {

// Qt's HTTP server parses the requests; every one of them, whatever its path, goes to the
// handler together with its socket, which faults such as resets and stalls need to act on.
class HttpFrontEnd : public QAbstractHttpServer {
    Q_OBJECT
  public:
    using Handler = std::function<void(const QHttpServerRequest&, QTcpSocket*)>;

    explicit HttpFrontEnd(Handler handler, QObject* parent = nullptr);

    static QHttpServerResponder Responder(const QHttpServerRequest& request, QTcpSocket* socket);

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

  private:
    Handler handler_;
};

}  // namespace sim
