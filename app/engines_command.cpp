#include "engines_command.h"

#include <QFileInfo>
#include <QSaveFile>

#include "cli/standard_options.h"

namespace {

void Put(std::FILE* stream, const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stream);
}

QString From(bool fromFile) {
    return fromFile ? QStringLiteral("the file") : QStringLiteral("built in");
}

int WriteDefaults(const QString& path, std::FILE* out, std::FILE* err) {
    // The user's own table may sit there; a starting point is never worth losing it.
    if (QFileInfo::exists(path)) {
        Put(err, QStringLiteral("quelvo: %1 exists already; it is left as it is").arg(path));
        return 1;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(mining::DefaultEnginesFile()) < 0 ||
        !file.commit()) {
        Put(err, QStringLiteral("quelvo: %1: %2").arg(path, file.errorString()));
        return 1;
    }
    Put(out, QStringLiteral("wrote the built-in engine table to %1").arg(path));
    return 0;
}

}  // namespace

int RunEngines(const CommandLine& cl, std::FILE* out, std::FILE* err) {
    if (!cl.writeFile.isEmpty()) return WriteDefaults(cl.writeFile, out, err);
    const mining::TableRead read = EnginesInEffect(cl.config);
    if (!read.error.isEmpty()) {
        Put(err, QStringLiteral("quelvo: ") + read.error);
        return cli::kUsageStatus;
    }
    const mining::EngineTable& table = read.table;
    Put(out, table.file.isEmpty() ? QStringLiteral("engines file: none (%1 does not exist)")
                                        .arg(mining::UserEnginesFile())
                                  : QStringLiteral("engines file: %1").arg(table.file));
    for (const mining::Engine engine : mining::kEngines) {
        const QString name = mining::EngineName(engine);
        const mining::EngineEntry& e = table.Of(engine);
        const mining::EntryOrigin& o = table.OriginOf(engine);
        Put(out, QStringLiteral("%1 related (%2): %3\n    marker: %4")
                     .arg(name, From(o.related), e.relatedUrl, e.marker));
        Put(out, QStringLiteral("%1 suggest (%2): %3\n    format: %4")
                     .arg(name, From(o.suggest), e.suggestUrl, mining::FormatName(e.format)));
        Put(out, QStringLiteral("%1 window_source (%2): %3")
                     .arg(name, From(o.windowSource), mining::SourceName(e.windowSource)));
    }
    return 0;
}
