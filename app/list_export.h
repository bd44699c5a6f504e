#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#include "app/command_line.h"
#include "mining/engine.h"

// One listed keyword and where it came from. Its position is its index in the list.
struct TreeEntry {
    QString keyword;
    int depth = 0;    // 0 for the source, else one more than the parent's
    int parent = -1;  // position of the keyword whose page offered it; -1 for the source
    std::optional<mining::Engine> engine;  // the engine of that page; none for the source
    mining::Source source = mining::Source::Related;  // and whether it was a page or suggestions
};

// The list as `quelvo mine` prints it on stdout: text is one keyword a line; csv (RFC 4180, CR LF)
// and json carry position, keyword, depth, parent keyword, engine and source for every entry.
// A text as a JSON string, escaped as the JSON writer escapes it. Lists are written by hand
// because a JSON object of Qt's sorts its keys, and the keys keep the order the columns have.
QString JsonString(const QString& text);

QByteArray ExportList(const QList<TreeEntry>& tree, CommandLine::Format format);
