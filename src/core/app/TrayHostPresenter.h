#pragma once

#include "core/Result.h"
#include "core/form/FormDescription.h"

#include <cstddef>
#include <optional>
#include <string>

struct Services;

// What happened at the tray icon, as the program tells it apart.
enum class TrayEvent {
    Show,         // left double-click (or the primary activation where no double-click exists)
    MenuRequest,  // right button released
    Other,        // pointer moves, single clicks, other buttons
};

// The tray icon, its menu and the main window it makes.
class TrayHostView {
public:
    virtual ~TrayHostView() = default;
    // Makes the main window (running its load step), or brings it forward.
    virtual void showMainWindow() = 0;
    // The number of items the main window's list holds; 0 without a window.
    virtual std::size_t listCount() const = 0;
    virtual Result installTrayIcon(const std::string& tip) = 0;
    // Pops the menu up at the pointer: the identity of the item chosen.
    virtual std::optional<std::string> popupMenu(const MenuSpec& menu) = 0;
    // Tells whoever runs the program from a terminal.
    virtual void report(const std::string& problem) = 0;
};

// The tray host: never shown, it installs the tray icon and shows the main
// window at start and whenever the tray asks for it.
class TrayHostPresenter {
public:
    TrayHostPresenter(TrayHostView& view, Services& services);

    // Clears what an interrupted save left beside the profile (only as the
    // sole copy: without the one-copy lock another copy may be saving), shows
    // the main window, then installs the icon.
    void start(bool soleCopy = true);
    void trayEvent(TrayEvent event);
    void showChosen();
    void exitChosen();

private:
    TrayHostView& view_;
    Services& services_;
};
