#pragma once

#include <QByteArray>
#include <QString>

namespace sim {

enum class Engine { Baidu, Google, Taobao };

enum class BodyCharset { Utf8, Utf8Bom, Gbk };

// What goes wrong with an answer. Reset and Stall act on the connection itself, the others on
// what is written to it. Flood is a body far past any cap whose length is not announced, so only
// counting the bytes as they arrive can stop it; RedirectLoop sends the request back to itself.
enum class Fault { None, HttpError, Reset, Stall, Oversize, EmptyBody, Flood, RedirectLoop };

// Size of a Fault::Oversize body: past the 16 MiB a client is expected to refuse.
inline constexpr qint64 kOversizeBytes = 17 * 1024 * 1024;
// Size of a Fault::Flood body.
inline constexpr qint64 kFloodBytes = 50 * 1024 * 1024;

struct EngineOptions {
    int fanOut = 6;  // related keywords offered per page
    int depth = 3;   // levels below a root before pages offer nothing new
    BodyCharset charset = BodyCharset::Utf8;
    int latencyMs = 0;    // delay before answering (timer, not a sleep)
    bool varied = false;  // engines answer differently (RelatedKeywords)
};

// One engine request as the server understood it; keyword is decoded from the query as UTF-8.
struct RequestRecord {
    Engine engine;
    QString keyword;
    QByteArray rawTarget;  // path and query as received, percent-encoded
    qint64 receivedMs;     // arrival, in milliseconds of a monotonic clock started with the server
    bool suggest = false;  // for the engine's suggestions rather than its page
};

}  // namespace sim
