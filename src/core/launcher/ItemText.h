#pragma once

#include <string>
#include <string_view>

// An item of the launcher list is shown, stored and found by its display
// text: the marker followed by the name the user typed.
inline constexpr std::string_view kItemMarker = "● ";
// The key of an item's target in its section.
inline constexpr std::string_view kFilenameKey = "Filename";

std::string displayTextOf(std::string_view name);
// The name back from a display text: every marker removed, wherever it stands.
std::string itemNameOf(std::string_view displayText);

// The folder part of a path: up to and including its last separator, so
// "/opt/tools/edit" gives "/opt/tools/". Empty when there is no separator.
std::string folderPart(std::string_view path, char separator);

// The quick-launch folder, derived from the start-menu folder. A start menu
// outside the Windows layout is used as it is.
std::string quickLaunchFolder(std::string_view startMenu);
