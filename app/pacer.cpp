#include "pacer.h"

#include <QEventLoop>
#include <QTimer>

void Pacer::Wait() {
    // A timer may wake a little early, so the wait goes on until the deadline has truly passed.
    while (!next_.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(next_.remainingTime()), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

void Pacer::Done() {
    if (delayMs_ > 0) next_ = QDeadlineTimer(delayMs_, Qt::PreciseTimer);
}
