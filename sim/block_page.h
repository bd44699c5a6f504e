#pragma once

#include "sim/reply.h"
#include "sim/sim_types.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace sim {

// What each engine answers a client it takes for a robot, in the engine's own manner:
//   Baidu  - a redirect to its verification page "/static/captcha/tuxing.html", titled
//            "百度安全验证";
//   Google - a redirect to "/sorry/index", which answers 429 with its "unusual traffic" page;
//   Taobao - its slider page "验证码拦截" in place of the results, with status 200.
// The redirect targets are on the server's own address (base), so no request leaves loopback.
Reply BlockAnswer(Engine engine, const QUrl& base, const QString& keyword);

// The verification pages that the redirects above lead to; nothing for any other path.
std::optional<Reply> VerificationPage(const QString& path);

}  // namespace sim
