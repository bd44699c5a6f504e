#include "sim/http_front_end.h"

#include <utility>

namespace sim {

HttpFrontEnd::HttpFrontEnd(Handler handler, QObject* parent)
    : QAbstractHttpServer(parent), handler_(std::move(handler)) {}

QHttpServerResponder HttpFrontEnd::Responder(const QHttpServerRequest& request,
                                             QTcpSocket* socket) {
    return makeResponder(request, socket);
}

bool HttpFrontEnd::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    handler_(request, socket);
    return true;
}

void HttpFrontEnd::missingHandler(const QHttpServerRequest&, QTcpSocket*) {
    // Unreachable: handleRequest takes every request, unknown paths included.
}

}  // namespace sim
