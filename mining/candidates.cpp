#include "candidates.h"

namespace mining {

QStringList CutCandidates(const QString& page, const QString& marker) {
    QStringList out;
    if (marker.isEmpty()) return out;
    qsizetype pos = page.indexOf(marker);
    while (pos >= 0) {
        const qsizetype chunkStart = pos + marker.size();
        const qsizetype next = page.indexOf(marker, chunkStart);
        const qsizetype chunkEnd = next < 0 ? page.size() : next;
        // Looked for within the chunk only: a marker without ">" would otherwise send the search
        // to the end of the page each time, quadratic in the page.
        const qsizetype inChunk =
            QStringView(page).sliced(chunkStart, chunkEnd - chunkStart).indexOf(u'>');
        const qsizetype gt = inChunk < 0 ? -1 : chunkStart + inChunk;
        if (gt >= 0) {
            qsizetype end = gt + 1;
            while (end < chunkEnd && page[end] != u'<' && page[end] != u'>') ++end;
            out.append(page.mid(gt + 1, end - gt - 1));
        }
        pos = next;
    }
    return out;
}

bool PassesFilter(const QString& candidate, bool filterTicked, const QString& keyText) {
    return !filterTicked || candidate.contains(keyText, Qt::CaseSensitive);
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin);
}

}  // namespace mining
