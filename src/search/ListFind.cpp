#include "ListFind.h"

std::optional<qsizetype> findNextEntry(const QStringList& entries, const QString& query, short& findStart)
{
    for (qsizetype i = std::max<qsizetype>(findStart, 0); i < entries.size(); ++i) {
        if (entries[i].contains(query, Qt::CaseSensitive)) {
            findStart = short(i + 1);
            return i;
        }
    }
    findStart = 0;
    return std::nullopt;
}
