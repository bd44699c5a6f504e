#pragma once

#include <QtGlobal>

// While it lives, Qt's notices about the machine rather than the program (a missing
// XDG_RUNTIME_DIR, a browser sandbox we switched off ourselves, the browser engine's dump of its
// settings) are dropped; every other message goes where it went before.
class QuietNotices {
  public:
    QuietNotices();
    ~QuietNotices();
    QuietNotices(const QuietNotices&) = delete;
    QuietNotices& operator=(const QuietNotices&) = delete;

  private:
    QtMessageHandler previous_;
};
