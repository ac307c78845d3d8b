#pragma once

#include "core/form/FormDescription.h"

#include <optional>
#include <string>

#include "PanelDeck.h"

#include <cstddef>
#include <functional>
#include <string>

struct LocalTime;
struct Services;

// The slide-in panels of the main window's viewport, in deck order.
enum class Panel { AddItem = 0, QuickButtons = 1, Search = 2, Timer = 3 };

// The main window's frame: the title strip, the height, the star, and the
// viewport in which the panels slide.
class MainFrameView {
public:
    virtual ~MainFrameView() = default;
    virtual void setTitleStrip(const std::string& text) = 0;
    // The window's name for the system.
    virtual void setWindowTitle(const std::string& text) = 0;
    // Rolled up, only the title strip shows; the top-left corner stays.
    virtual void setRolledUp(bool rolledUp) = 0;
    virtual void setStarLit(bool lit) = 0;
    // Pops the menu up at the pointer: the identity of the item chosen.
    virtual std::optional<std::string> popupMenu(const MenuSpec& menu) = 0;
    // Makes a panel's controls, unless they are made, before it slides in.
    virtual void preparePanel(Panel panel) = 0;
    // Puts every panel at its top, the topmost above the rest, and runs the
    // slide timer while the deck asks for it.
    virtual void placePanels(const PanelDeck& deck) = 0;
    // Unloads the window; the tray can make it anew.
    virtual void close() = 0;
};

class MainFramePresenter {
public:
    // panelIndex outlives the window.
    MainFramePresenter(MainFrameView& view, Services& services, short& panelIndex);

    void load();
    void showPanel(Panel panel);
    void hideAllPanels();
    // The add panel goes away at once, without a slide.
    void putAwayAddPanel();
    void slideTick();

    // The title counts the list's items.
    void showItemCount(std::size_t count);
    void clockTick(const LocalTime& now);
    void titleStripClicked();
    void titleStripDoubleClicked();
    void pointerOverBackground();
    void pointerOverStar();
    // 1 for the left button, 2 for the right.
    void starPressed(int button);
    // An item of the options menu, or nothing when it was dismissed.
    void optionChosen(const std::optional<std::string>& item);
    void hideChosen();
    void exitChosen();

    bool rolledUp() const { return rolledUp_; }
    const PanelDeck& panels() const { return deck_; }

private:
    void placePanels();

    MainFrameView& view_;
    Services& services_;
    PanelDeck deck_;
    std::size_t itemCount_ = 0;
    bool rolledUp_ = false;
};
