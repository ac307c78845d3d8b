#pragma once

#include "core/Result.h"
#include "core/profile/Profile.h"

#include <string>
#include <string_view>

struct Services;

// Where a shortcut to an item can be placed.
enum class Place { Desktop, StartMenu, QuickLaunch };

// Starts launcher items, opens their folders and places shortcuts to them.
// An item is found by its display text; its target is read from the profile
// afresh at each use.
class ItemLauncher {
public:
    explicit ItemLauncher(Services& services);

    // Starts an item through the launch shortcut beside the executable, so
    // that the target runs in its own folder. Tells the user when the target
    // is gone; any other failure ends quietly. Returns whether the shortcut
    // was handed to the system.
    bool launch(const std::string& displayText);

    // Shows the folder of an item's target in the file manager.
    void openFolder(const std::string& displayText);

    // Writes a shortcut to an item into one of the user's folders. Nothing is
    // shown on success; failures after the target was found end quietly.
    void placeShortcut(const std::string& displayText, Place place);

    // The launch shortcut's file, rewritten at every launch.
    std::string launchShortcutPath() const;
    static constexpr std::string_view kLaunchHotkey = "ALT+CTRL+R";

    // The item's target as the profile holds it.
    std::string targetOf(const std::string& displayText) const;
    std::string profileFile() const;
    ProfileAccess profileAccess() const;

private:
    std::string folderOf(const std::string& path) const;
    std::string folderFor(Place place) const;

    Services& services_;
};
