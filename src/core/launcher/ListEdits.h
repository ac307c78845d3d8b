#pragma once

#include <optional>
#include <string>
#include <vector>

class CodePage;
class ProfileEdit;

// Writes the list index: one numbered key per entry in list order, then
// "Count". Keys past the end are left as they are.
void writeListIndex(ProfileEdit& edit, const std::vector<std::string>& entries);

// Why a new item cannot be added, as the notice to show; nothing when it can.
// Besides empty boxes, a path or name that the profile could not give back
// whole is refused: one holding a line break, or too long to read back.
std::optional<std::string> refusalOfNewItem(const std::string& path, const std::string& name,
                                            const CodePage& codePage);
