#pragma once

// QtCore types only: the mining layer reads a fetched page without the network module.
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace web {

// Why a GET gave no page. Runs count these so a user can tell a dead network from a server that
// answers badly.
enum class Failure {
    None,
    NameNotResolved,
    Refused,
    Reset,
    TimedOut,
    TooLarge,
    BadCompression,     // a compressed body that would not unpack: corrupt, or a bomb
    RefusedRedirect,    // sent on to an address that is not http(s), or from https to http
    StatusWithoutBody,  // an HTTP error status with nothing to read
    Aborted,            // ended by AbortAll
    Other,              // TLS, proxy, a bad address, ...
};

// One result page as a run receives it: the decoded text, or why there is none, with what telling
// a block page apart needs.
struct FetchedPage {
    std::optional<QString> text;
    Failure failure = Failure::None;  // None exactly when there is text
    int status = 0;                   // 0 when no answer came
    QList<QUrl> redirects;            // every address the request was sent on to, in order
    QString error;                    // the network layer's words for a failure
};

}  // namespace web
