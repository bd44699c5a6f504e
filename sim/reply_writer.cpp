#include "sim/reply_writer.h"

#include <QTcpSocket>

#include <algorithm>
#include <memory>

#if defined(Q_OS_UNIX)
#include <sys/socket.h>
#endif

namespace sim {
namespace {

using Status = QHttpServerResponder::StatusCode;

void Write(QHttpServerResponder& responder, const Reply& reply) {
    const auto status = static_cast<Status>(reply.status);
    if (reply.location.isEmpty()) {
        responder.write(reply.body, {{QByteArrayLiteral("Content-Type"), reply.contentType}},
                        status);
        return;
    }
    responder.write(reply.body,
                    {{QByteArrayLiteral("Content-Type"), reply.contentType},
                     {QByteArrayLiteral("Location"), reply.location}},
                    status);
}

// Generated as the socket drains, never held in memory as a whole. Written on the socket itself:
// the responder's own streaming posts work that outlives a server torn down mid-transfer. Without
// a declared length the body ends where the connection does.
void WriteHuge(QTcpSocket* socket, qint64 bytes, bool declareLength) {
    static constexpr qint64 kChunk = 64 * 1024;
    const QByteArray head = QByteArrayLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title></title></head><body><!--");
    const QByteArray tail = QByteArrayLiteral("--></body></html>\n");
    const QByteArray length =
        declareLength ? "Content-Length: " + QByteArray::number(bytes) + "\r\n" : QByteArray();
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n" + length +
                  "Connection: close\r\n\r\n" + head);
    auto fillLeft = std::make_shared<qint64>(bytes - head.size() - tail.size());
    auto pump = [socket, fillLeft, tail] {
        const QByteArray filler(kChunk, 'x');
        while (*fillLeft > 0 && socket->bytesToWrite() < 4 * kChunk) {
            const qint64 n = std::min(*fillLeft, kChunk);
            socket->write(filler.constData(), n);
            *fillLeft -= n;
            if (*fillLeft == 0) {
                socket->write(tail);
                socket->disconnectFromHost();
            }
        }
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, pump);
    pump();
}

// A zero linger time makes the close send a TCP reset instead of an orderly end, which is what a
// client sees when a server or a middlebox drops the connection.
void Reset(QTcpSocket* socket) {
#if defined(Q_OS_UNIX)
    const linger abortive{1, 0};
    setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
               sizeof abortive);
#endif
    socket->abort();
}

}  // namespace

void Deliver(const Answer& answer, QHttpServerResponder& responder, QTcpSocket* socket) {
    switch (answer.fault) {
        case Fault::None:
            Write(responder, answer.reply);
            return;
        case Fault::HttpError:
            Write(responder, ErrorReply(answer.reply.status));
            return;
        case Fault::Reset:
            Reset(socket);
            return;
        case Fault::Stall:
            return;
        case Fault::Oversize:
            WriteHuge(socket, kOversizeBytes, true);
            return;
        case Fault::Flood:
            WriteHuge(socket, kFloodBytes, false);
            return;
        case Fault::RedirectLoop:
            Write(responder, answer.reply);  // the server has pointed it back at the request
            return;
        case Fault::EmptyBody:
            Write(responder, {200, answer.reply.contentType, {}, {}});
            return;
    }
}

}  // namespace sim
