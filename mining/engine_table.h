#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <array>

#include "engine.h"

namespace mining {

// Where an engine's keywords come from: the related searches of its result page, or the
// suggestions its search box proposes while one types.
enum class Source { Related, Suggest };
// The shapes of suggestion answers: "opensearch" is ["query", ["s1", "s2", ...], ...]; "taobao" is
// {"result": [["s1", ...], ["s2", ...]], ...}.
enum class SuggestFormat { OpenSearch, Taobao };

QString SourceName(Source source);
QString FormatName(SuggestFormat format);

// One engine's addresses and markers. An address holds "{keyword}" where the keyword goes.
struct EngineEntry {
    QString relatedUrl;
    QString marker;  // the text in front of every related keyword on the page
    QString suggestUrl;
    SuggestFormat format = SuggestFormat::OpenSearch;
    Source windowSource = Source::Related;  // what the window mines this engine by
    bool operator==(const EngineEntry&) const = default;
};

// Which parts of an entry the engines file set; the rest are built in.
struct EntryOrigin {
    bool related = false;
    bool suggest = false;
    bool windowSource = false;
};

// The engines in effect: the built-in defaults with an engines file read over them.
struct EngineTable {
    std::array<EngineEntry, 3> entries;
    std::array<EntryOrigin, 3> origins;
    QString file;  // the file read over the defaults; empty when none was

    const EngineEntry& Of(Engine engine) const { return entries[static_cast<size_t>(engine)]; }
    EngineEntry& Of(Engine engine) { return entries[static_cast<size_t>(engine)]; }
    const EntryOrigin& OriginOf(Engine engine) const {
        return origins[static_cast<size_t>(engine)];
    }
};

// An engines file as read: the table, or why the file was refused. A refused file changes nothing:
// the table is then the one it was to be read over.
struct TableRead {
    EngineTable table;
    QString error;  // names the file and what is wrong with it
};

// The built-in table and the file it is kept in, which is in the engines file's own format.
QByteArray DefaultEnginesFile();
EngineTable DefaultEngineTable();

// Reads an engines file's bytes over `base`. Any fault refuses the whole file.
TableRead ReadEngineTable(const QByteArray& json, const QString& fileName, const EngineTable& base);

// Where the user's engines file is looked for: $XDG_CONFIG_HOME/quelvo/engines.json.
QString UserEnginesFile();
// The defaults with the engines file over them: `file` when not empty (it must exist), else the
// user's engines file when there is one.
TableRead LoadEngineTable(const QString& file);

// The table with the base address of each engine's related-search address, and of its
// suggestion address, replaced where `related` and `suggest` name one.
EngineTable WithHosts(EngineTable table, const EngineHosts& related, const EngineHosts& suggest);

// The request address for a keyword: "{keyword}" becomes the keyword percent-encoded as UTF-8, so
// that "#", "&", "+" or "%" in it cannot ask the engine for something else.
QUrl AddressFor(const QString& urlTemplate, const QString& keyword);

}  // namespace mining
