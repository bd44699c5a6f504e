#pragma once

#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>

// What a run lists: each listed keyword's page in list order, its offers appended unless listed.
// `offers` gives nothing for a page that fails.
inline QStringList BreadthFirst(
    const QString& root, const std::function<std::optional<QStringList>(const QString&)>& offers) {
    QStringList list{root};
    QSet<QString> listed{root};
    for (qsizetype i = 0; i < list.size(); ++i)
        for (const QString& k : offers(list.at(i)).value_or(QStringList()))
            if (!listed.contains(k)) {
                listed.insert(k);
                list << k;
            }
    return list;
}
