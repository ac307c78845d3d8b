#pragma once

#include <QChar>
#include <QString>

// An item of the launcher list is shown, stored and found by its display
// text: the marker followed by the name the user typed.
extern const QString kItemMarker;   // "● "
extern const QString kFilenameKey;  // the key of an item's target in its section

QString displayTextOf(const QString& name);
// The name back from a display text: every marker removed, wherever it stands.
QString itemNameOf(const QString& displayText);

// The folder part of a path: up to and including its last separator, so
// "/opt/tools/edit" gives "/opt/tools/". Empty when there is no separator.
QString folderPart(const QString& path, QChar separator);

// The quick-launch folder, derived from the start-menu folder. A start menu
// outside the Windows layout is used as it is.
QString quickLaunchFolder(const QString& startMenu);
