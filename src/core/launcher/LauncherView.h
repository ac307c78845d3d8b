#pragma once

#include "core/form/FormDescription.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The launcher list on screen: its entries in list order, the selection
// and the tooltip that names an entry's path.
class LauncherView {
public:
    virtual ~LauncherView() = default;
    virtual void showEntries(const std::vector<std::string>& entries) = 0;
    virtual void insertEntry(std::size_t at, const std::string& entry) = 0;
    virtual void removeEntry(std::size_t at) = 0;
    virtual void clearEntries() = 0;
    virtual void selectEntry(std::size_t at) = 0;
    // The entry the user selected; nothing when none is.
    virtual std::optional<std::size_t> selectedEntry() const = 0;
    // The pointer's tooltip; the empty text shows none.
    virtual void showTip(const std::string& tip) = 0;
    // Pops the menu up at the pointer: the identity of the item chosen.
    virtual std::optional<std::string> popupMenu(const MenuSpec& menu) = 0;
};

// The boxes of the add panel.
class AddItemView {
public:
    virtual ~AddItemView() = default;
    virtual std::string pathText() const = 0;
    virtual std::string nameText() const = 0;
    virtual void setPathText(const std::string& text) = 0;
    virtual void setNameText(const std::string& text) = 0;
};
