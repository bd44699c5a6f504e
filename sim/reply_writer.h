#pragma once

#include "sim/reply.h"
#include "sim/sim_types.h"

#include <QHttpServerResponder>

class QTcpSocket;

namespace sim {

// Everything the server decided for one request: a fault, or else the reply, after a delay.
struct Answer {
    Fault fault = Fault::None;
    Reply reply;  // for Fault::None, and the status for Fault::HttpError
    int delayMs = 0;
};

// Carries the answer out on the connection. Stall does nothing at all: the socket stays open and
// unanswered until the client gives up.
void Deliver(const Answer& answer, QHttpServerResponder& responder, QTcpSocket* socket);

}  // namespace sim
