#include "quiet_notices.h"

#include <QString>

#include <cstring>

namespace {

// Qt has one message hook per process, so what it chains to is per process too.
QtMessageHandler& Previous() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

bool IsMachineNotice(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (context.category && std::strcmp(context.category, "qt.webenginecontext") == 0)
        return type == QtInfoMsg;
    return text.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set") ||
           text == u"Sandboxing disabled by user.";
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (IsMachineNotice(type, context, text)) return;
    if (Previous()) Previous()(type, context, text);
}

}  // namespace

QuietNotices::QuietNotices() : previous_(qInstallMessageHandler(Filter)) { Previous() = previous_; }

QuietNotices::~QuietNotices() {
    qInstallMessageHandler(previous_);
    Previous() = nullptr;
}
