#pragma once

#include <array>

// The four slide-in panels of the main window's viewport and their slide.
// Positions are panel Tops in twips; a panel rests hidden at -2000 (wholly
// above the viewport) or shown at 0. The slide moves the chosen panel down
// by 80 twips per tick and stops once it is past -10.
class PanelDeck {
public:
    static constexpr int kPanelCount = 4;
    static constexpr int kHiddenTop = -2000;
    static constexpr int kStep = 80;

    // `panelIndex` outlives the window, so the deck works on the caller's copy.
    explicit PanelDeck(short& panelIndex);

    void showPanel(int k);
    void hideAllPanels();
    void hidePanelAtOnce(int k);  // no slide, the slide timer untouched
    void tick();

    int top(int panel) const { return tops_[panel]; }
    bool timerEnabled() const { return timerEnabled_; }
    int topmost() const { return topmost_; }
    short panelIndex() const { return panelIndex_; }

private:
    short& panelIndex_;
    std::array<int, kPanelCount> tops_{};
    bool timerEnabled_ = false;
    int topmost_ = kPanelCount - 1;
};
