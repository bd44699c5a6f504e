#pragma once

#include <QByteArray>

namespace sim {

// A complete answer, decided when the request arrives and written when its time comes.
struct Reply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QByteArray location;  // sent as the Location header when not empty
};

// A small HTML page for an error status; it holds no engine marker, like a real error page.
Reply ErrorReply(int status);

}  // namespace sim
