#include "AddItemPresenter.h"

#include "LauncherPresenter.h"
#include "core/services/Services.h"

AddItemPresenter::AddItemPresenter(AddItemView& view, LauncherPresenter& list, Services& services)
    : view_(view)
    , list_(list)
    , services_(services)
{
}

void AddItemPresenter::browse()
{
    const std::optional<std::string> chosen = services_.fileDialogs.chooseProgram();
    if (!chosen)
        return;
    view_.setPathText(*chosen);
    view_.setNameText(services_.files.fileNameOf(*chosen));
}

void AddItemPresenter::confirm()
{
    if (list_.addItem(view_.pathText(), view_.nameText()))
        clearBoxes();
}

void AddItemPresenter::cancel()
{
    clearBoxes();
    if (onCancelled)
        onCancelled();
}

void AddItemPresenter::clearBoxes()
{
    view_.setPathText({});
    view_.setNameText({});
}
