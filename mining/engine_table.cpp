#include "engine_table.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <initializer_list>
#include <optional>

namespace mining {

namespace {

constexpr char kKeyword[] = "{keyword}";
// Far more than any table needs; a bigger file is not an engines file.
constexpr qint64 kMaxFileBytes = 1024 * 1024;

std::optional<Source> SourceNamed(const QString& name) {
    for (const Source s : {Source::Related, Source::Suggest})
        if (name == SourceName(s)) return s;
    return std::nullopt;
}

std::optional<SuggestFormat> FormatNamed(const QString& name) {
    for (const SuggestFormat f : {SuggestFormat::OpenSearch, SuggestFormat::Taobao})
        if (name == FormatName(f)) return f;
    return std::nullopt;
}

// The address part before the path: "scheme://host:port" of a template.
qsizetype AuthorityEnd(const QString& urlTemplate) {
    const qsizetype start = urlTemplate.indexOf(QStringLiteral("://"));
    if (start < 0) return 0;
    const qsizetype end =
        urlTemplate.indexOf(QRegularExpression(QStringLiteral("[/?#]")), start + 3);
    return end < 0 ? urlTemplate.size() : end;
}

QString AddressProblem(const QString& urlTemplate) {
    if (!urlTemplate.contains(QLatin1String(kKeyword)))
        return QStringLiteral("the address has no {keyword}");
    const QUrl url = AddressFor(urlTemplate, QStringLiteral("k"));
    if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") ||
        url.host().isEmpty())
        return QStringLiteral("not an http or https address: %1").arg(urlTemplate);
    return {};
}

// Reads one file over a table; the first fault found ends the reading.
class FileReader {
  public:
    explicit FileReader(EngineTable& table) : table_(table) {}

    bool Read(const QJsonObject& root) {
        if (!OnlyKeys(root, QStringLiteral("the file"), {"version", "engines"})) return false;
        if (root.contains(u"version") && root.value(u"version") != QJsonValue(1))
            return Fail(QStringLiteral("version"), QStringLiteral("only version 1 is known"));
        if (!root.contains(u"engines")) return true;
        const QJsonValue engines = root.value(u"engines");
        if (!engines.isObject())
            return Fail(QStringLiteral("engines"), QStringLiteral("must be an object"));
        const QJsonObject named = engines.toObject();
        for (auto it = named.begin(); it != named.end(); ++it) {
            const QString where = QStringLiteral("engines.") + it.key();
            std::optional<Engine> engine;
            for (const Engine e : kEngines)
                if (it.key() == EngineName(e)) engine = e;
            if (!engine)
                return Fail(where, QStringLiteral("unknown engine (baidu, google or taobao)"));
            if (!it->isObject()) return Fail(where, QStringLiteral("must be an object"));
            if (!ReadEngine(it->toObject(), where, table_.Of(*engine),
                            table_.origins[static_cast<size_t>(*engine)]))
                return false;
        }
        return true;
    }

    QString error;

  private:
    bool Fail(const QString& where, const QString& what) {
        error = where + QStringLiteral(": ") + what;
        return false;
    }

    // A misspelt key would otherwise be ignored in silence, and the user left wondering.
    bool OnlyKeys(const QJsonObject& object, const QString& where,
                  std::initializer_list<const char*> keys) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char* key : keys) known = known || it.key() == QLatin1String(key);
            if (!known) return Fail(where, QStringLiteral("unknown key \"%1\"").arg(it.key()));
        }
        return true;
    }

    // A text the object may hold under `key`; absent leaves `into` as it is.
    bool Text(const QJsonObject& object, const QString& where, const char* key, QString& into) {
        const QString name = QLatin1String(key);
        if (!object.contains(name)) return true;
        const QJsonValue value = object.value(name);
        if (!value.isString()) return Fail(where + u'.' + name, QStringLiteral("must be a text"));
        into = value.toString();
        return true;
    }

    bool Address(const QJsonObject& object, const QString& where, QString& into) {
        if (!Text(object, where, "url", into)) return false;
        const QString problem = AddressProblem(into);
        return problem.isEmpty() || Fail(where + QStringLiteral(".url"), problem);
    }

    bool Part(const QJsonObject& engine, const QString& where, const char* key, bool& set,
              QJsonObject& part) {
        const QString name = QLatin1String(key);
        if (!engine.contains(name)) return true;
        if (!engine.value(name).isObject())
            return Fail(where + u'.' + name, QStringLiteral("must be an object"));
        part = engine.value(name).toObject();
        set = true;
        return true;
    }

    bool ReadEngine(const QJsonObject& object, const QString& where, EngineEntry& entry,
                    EntryOrigin& origin) {
        if (!OnlyKeys(object, where, {"related", "suggest", "window_source"})) return false;
        QJsonObject related;
        QJsonObject suggest;
        if (!Part(object, where, "related", origin.related, related) ||
            !Part(object, where, "suggest", origin.suggest, suggest))
            return false;

        const QString rw = where + QStringLiteral(".related");
        if (!OnlyKeys(related, rw, {"url", "marker"}) || !Address(related, rw, entry.relatedUrl) ||
            !Text(related, rw, "marker", entry.marker))
            return false;
        if (entry.marker.isEmpty())
            return Fail(rw + QStringLiteral(".marker"), QStringLiteral("must not be empty"));

        const QString sw = where + QStringLiteral(".suggest");
        QString format = FormatName(entry.format);
        if (!OnlyKeys(suggest, sw, {"url", "format"}) || !Address(suggest, sw, entry.suggestUrl) ||
            !Text(suggest, sw, "format", format))
            return false;
        const auto named = FormatNamed(format);
        if (!named)
            return Fail(sw + QStringLiteral(".format"),
                        QStringLiteral("unknown format \"%1\" (opensearch or taobao)").arg(format));
        entry.format = *named;

        QString windowSource = SourceName(entry.windowSource);
        if (!Text(object, where, "window_source", windowSource)) return false;
        const auto source = SourceNamed(windowSource);
        if (!source)
            return Fail(
                where + QStringLiteral(".window_source"),
                QStringLiteral("unknown source \"%1\" (related or suggest)").arg(windowSource));
        entry.windowSource = *source;
        origin.windowSource = object.contains(u"window_source");
        return true;
    }

    EngineTable& table_;
};

}  // namespace

QString SourceName(Source source) {
    return source == Source::Suggest ? QStringLiteral("suggest") : QStringLiteral("related");
}

QString FormatName(SuggestFormat format) {
    return format == SuggestFormat::Taobao ? QStringLiteral("taobao")
                                           : QStringLiteral("opensearch");
}

QByteArray DefaultEnginesFile() {
    QFile file(QStringLiteral(":/mining/engines.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

EngineTable DefaultEngineTable() {
    TableRead read = ReadEngineTable(DefaultEnginesFile(), QString(), EngineTable{});
    Q_ASSERT(read.error.isEmpty());
    read.table.origins = {};
    read.table.file.clear();
    return read.table;
}

TableRead ReadEngineTable(const QByteArray& json, const QString& fileName,
                          const EngineTable& base) {
    TableRead read{base, {}};
    auto refuse = [&](const QString& what) {
        read.table = base;
        read.error = fileName + QStringLiteral(": ") + what;
        return read;
    };
    QJsonParseError parseError;
    // Editors on some systems begin a UTF-8 file with a byte order mark, which JSON does not allow.
    const QByteArray text = json.startsWith("\xEF\xBB\xBF") ? json.mid(3) : json;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refuse(QStringLiteral("not JSON: %1 at byte %2")
                          .arg(parseError.errorString())
                          .arg(parseError.offset));
    if (!doc.isObject()) return refuse(QStringLiteral("the file must hold a JSON object"));
    FileReader reader(read.table);
    if (!reader.Read(doc.object())) return refuse(reader.error);
    read.table.file = fileName;
    return read;
}

QString UserEnginesFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quelvo/engines.json");
}

TableRead LoadEngineTable(const QString& file) {
    const EngineTable defaults = DefaultEngineTable();
    const QString name = file.isEmpty() ? UserEnginesFile() : file;
    if (file.isEmpty() && !QFileInfo::exists(name)) return {defaults, {}};
    QFile in(name);
    if (!in.open(QIODevice::ReadOnly))
        return {defaults, name + QStringLiteral(": cannot be read: ") + in.errorString()};
    if (in.size() > kMaxFileBytes)
        return {defaults, name + QStringLiteral(": larger than %1 bytes").arg(kMaxFileBytes)};
    return ReadEngineTable(in.read(kMaxFileBytes + 1), name, defaults);
}

EngineTable WithHosts(EngineTable table, const EngineHosts& related, const EngineHosts& suggest) {
    auto rebase = [](QString& urlTemplate, const QUrl& host) {
        if (host.isEmpty()) return;
        QString base = host.toString(QUrl::StripTrailingSlash);
        while (base.endsWith(u'/')) base.chop(1);
        urlTemplate = base + urlTemplate.mid(AuthorityEnd(urlTemplate));
    };
    for (const Engine e : kEngines) {
        rebase(table.Of(e).relatedUrl, HostOf(related, e));
        rebase(table.Of(e).suggestUrl, HostOf(suggest, e));
    }
    return table;
}

QUrl AddressFor(const QString& urlTemplate, const QString& keyword) {
    QByteArray address = urlTemplate.toUtf8();
    address.replace(kKeyword, QUrl::toPercentEncoding(keyword));
    return QUrl::fromEncoded(address, QUrl::TolerantMode);
}

}  // namespace mining
