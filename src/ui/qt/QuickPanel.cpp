#include "QuickPanel.h"

#include "FormBuilder.h"
#include "core/window/QuickPanelForm.h"

#include <QFrame>
#include <QPushButton>

QuickPanel::QuickPanel(QFrame* frame, const Twips& twips, Services& services) : presenter_(services)
{
    using namespace quick_panel_form;
    const FormControls controls = buildControls(kForm, frame, twips);
    using Chosen = void (QuickButtonsPresenter::*)();
    const std::pair<std::string_view, Chosen> wired[] = {
        {kComputer, &QuickButtonsPresenter::computerChosen},
        {kControlPanel, &QuickButtonsPresenter::controlPanelChosen},
        {kInternet, &QuickButtonsPresenter::internetChosen},
        {kRecycleBin, &QuickButtonsPresenter::recycleBinChosen},
        {kTaskManager, &QuickButtonsPresenter::taskManagerChosen},
        {kPowerOff, &QuickButtonsPresenter::powerOffChosen},
        {kRestart, &QuickButtonsPresenter::restartChosen},
    };
    for (const auto& [id, chosen] : wired) {
        auto* button = controls.get<QPushButton>(id);
        QObject::connect(button, &QPushButton::clicked, button, [this, chosen = chosen] { (presenter_.*chosen)(); });
    }
    // The dial-up and lock buttons are wired by the window.
    dialUpButton_ = controls.get<QPushButton>(kDialUp);
    lockButton_ = controls.get<QPushButton>(kLock);
}
