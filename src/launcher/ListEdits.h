#pragma once

#include <QStringList>

#include <optional>

class ProfileEdit;

// Writes the list index: one numbered key per entry in list order, then
// "Count". Keys past the end are left as they are.
void writeListIndex(ProfileEdit& edit, const QStringList& entries);

// Why a new item cannot be added, as the notice to show; nothing when it can.
// Besides empty boxes, a path or name that the profile could not give back
// whole is refused: one holding a line break, or too long to read back.
std::optional<QString> refusalOfNewItem(const QString& path, const QString& name);
