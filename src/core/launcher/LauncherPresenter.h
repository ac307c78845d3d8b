#pragma once

#include "ItemLauncher.h"
#include "LauncherView.h"
#include "TypeToFind.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Services;

// The launcher list: its entries, read from the profile when the window is
// made, and the commands on them (start, open the folder, place a shortcut,
// add, delete, clear). Each edit writes the profile in one replace before it
// ends; the list on screen changes only when the profile took the change.
// After a read that failed, every edit reads the file again first.
class LauncherPresenter {
public:
    LauncherPresenter(LauncherView& view, Services& services);

    // Reads the list from the profile and shows it in list order.
    void load();

    void startSelected();
    // A double-click starts the item and closes the window, but only once
    // the start got through: after a message or a failure the window stays.
    void startSelectedAndClose();
    void openSelectedFolder();
    void placeShortcut(Place place);
    void deleteSelected();
    void clearAll();
    // Adds an item from the add panel's texts; returns whether it was added.
    bool addItem(const std::string& path, const std::string& name);

    // The selection changed, or an entry was clicked.
    void entryChosen();
    // The pointer moved over the list: over an entry, or below the last one.
    void pointerOver(std::optional<std::size_t> entry);
    void selectEntry(std::size_t at);
    // A letter typed while the list has the focus: the next entry whose
    // name begins with what was typed selected, as TypeToFind says.
    void letterTyped(char letter);
    // A right-button press on the list: its menu, acting on the entry
    // selected before the press.
    void menuRequested();
    // 添加, the button or the menu's item: the window slides the add panel in.
    void addChosen();

    const std::vector<std::string>& entries() const { return entries_; }
    std::size_t count() const { return entries_.size(); }

    // Links to the rest of the window, set by the window that holds the list.
    std::function<void(std::size_t)> onCountChanged;             // the title counts the items
    std::function<void(const std::string&)> onEntryChosen;     // display text of the chosen entry
    std::function<void()> onCloseRequested;                      // after a start by double-click
    std::function<void()> onAddRequested;                        // 添加

private:
    // The selected entry's text; nothing, after telling the user, when no
    // entry is selected.
    std::optional<std::string> selectedOrTell(const std::string& notice);
    bool commit(class ProfileEdit& edit);
    void countChanged();
    // Reads the list from the profile and shows it; the read error, if any.
    std::string readList();
    void tellUnreadable(const std::string& error);
    bool listIsCurrent();

    LauncherView& view_;
    Services& services_;
    ItemLauncher launcher_;
    std::vector<std::string> entries_;
    bool unread_ = false;  // the last read of the file failed: entries_ is not the file's list
    std::optional<std::size_t> tipEntry_;  // the entry whose path the tooltip shows
    TypeToFind typeToFind_;
};
