#include "tool/write_whole_file.h"

#include <QSaveFile>

namespace anigif {

std::optional<QString> WriteWholeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QSaveFile out(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !out.commit())
        return QStringLiteral("%1: cannot write (%2)").arg(path, out.errorString());
    return std::nullopt;
}

}  // namespace anigif
