#pragma once

#include <QDeadlineTimer>

// Keeps a pause between one page request and the next, so an engine is not asked faster than a
// user chose. The pause runs the event loop, like the fetch itself.
class Pacer {
  public:
    explicit Pacer(int delayMs) : delayMs_(delayMs) {}

    // Returns once `delayMs` have passed since the last Done (at once before the first request).
    void Wait();
    // A request has ended; the pause before the next one starts now.
    void Done();

  private:
    int delayMs_;
    QDeadlineTimer next_{0};
};
