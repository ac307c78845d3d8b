#include "PanelDeck.h"

PanelDeck::PanelDeck(short& panelIndex)
    : panelIndex_(panelIndex)
{
    tops_.fill(kHiddenTop);
}

void PanelDeck::showPanel(int k)
{
    panelIndex_ = static_cast<short>(k);
    topmost_ = k;
    timerEnabled_ = true;
    // The chosen panel starts from its hidden place too, even when it was
    // already shown: it jumps up and slides in again.
    hideAllPanels();
}

void PanelDeck::hideAllPanels()
{
    tops_.fill(kHiddenTop);
}

void PanelDeck::hidePanelAtOnce(int k)
{
    tops_[k] = kHiddenTop;
}

void PanelDeck::tick()
{
    int& top = tops_[panelIndex_];
    if (top > -10)
        timerEnabled_ = false;
    else
        top += kStep;
}
