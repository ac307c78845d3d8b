#pragma once

#include "platform/Platform.h"
#include "platform/Result.h"

#include <QString>

class QWidget;

// Starts launcher items, opens their folders and places shortcuts to them.
// An item is found by its display text; its target is read from the profile
// afresh at each use.
class Launcher {
public:
    explicit Launcher(Platform& platform);

    // Where a shortcut to an item can be placed.
    enum class Place { Desktop, StartMenu, QuickLaunch };

    // Opens a path with its default handler.
    PlatformResult StateShell(const QString& path);

    // Starts an item through the launch shortcut beside the executable, so
    // that the target runs in its own folder. Tells the user when the target
    // is gone; any other failure ends quietly. Returns whether the shortcut
    // was handed to the system.
    bool LaunchItem(const QString& displayText, QWidget* parent);

    // Shows the folder of an item's target in the file manager.
    void openFolder(const QString& displayText, QWidget* parent);

    // Writes a shortcut to an item into one of the user's folders. Nothing is
    // shown on success; failures after the target was found end quietly.
    void PlaceShortcut(const QString& displayText, Place place, QWidget* parent);

    // The launch shortcut's file, rewritten at every launch.
    QString launchShortcutPath() const;
    static const QString kLaunchHotkey;

private:
    QString targetOf(const QString& displayText) const;
    QString folderOf(const QString& path) const;
    QString folderFor(Place place) const;

    Platform& platform_;
};
