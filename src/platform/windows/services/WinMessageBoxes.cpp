#include "WinMessageBoxes.h"

#include "platform/windows/WideText.h"

UINT WinMessageBoxes::styleOf(const Box& box, bool owned)
{
    UINT style = MB_SETFOREGROUND | (owned ? MB_APPLMODAL : MB_TASKMODAL);
    style |= box.buttons == Buttons::OkCancel ? MB_OKCANCEL : MB_OK;
    if (box.icon == Icon::Exclamation)
        style |= MB_ICONEXCLAMATION;
    // A box of one button has no second one to make the default.
    if (box.buttons == Buttons::OkCancel && box.defaultButton == 1)
        style |= MB_DEFBUTTON2;
    return style;
}

// A box that cannot be shown (MessageBoxW returns 0) counts as not
// confirmed, so a question is never taken as answered yes.
bool WinMessageBoxes::show(const Box& box)
{
    const HWND owner = GetActiveWindow();
    const std::wstring text = wintext::toWide(box.text);
    const std::wstring title = wintext::toWide(box.title);
    return MessageBoxW(owner, text.c_str(), title.c_str(), styleOf(box, owner != nullptr)) == IDOK;
}
