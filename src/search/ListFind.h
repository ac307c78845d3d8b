#pragma once

#include <QStringList>

#include <optional>

// Finds the next entry, from findStart on, whose text holds query (letter
// case counts; an empty query is in every text). A find moves findStart past
// the entry found; a find that reaches the end sets it back to 0 and finds
// nothing, so the next one starts again from the top.
std::optional<qsizetype> findNextEntry(const QStringList& entries, const QString& query, short& findStart);
