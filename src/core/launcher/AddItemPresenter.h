#pragma once

#include <functional>

class AddItemView;
class LauncherPresenter;
struct Services;

// The add panel: browse for a program, add the item, or cancel.
class AddItemPresenter {
public:
    AddItemPresenter(AddItemView& view, LauncherPresenter& list, Services& services);

    // Fills the path and the name from the open-file dialog.
    void browse();
    // Adds the item to the list; the boxes empty once it is in.
    void confirm();
    // Empties the boxes; the panel is then put away (onCancelled).
    void cancel();

    std::function<void()> onCancelled;

private:
    void clearBoxes();

    AddItemView& view_;
    LauncherPresenter& list_;
    Services& services_;
};
