#include "WinPopupMenus.h"

#include "platform/windows/WideText.h"

namespace {

const wchar_t kOwnerClass[] = L"OmbrelPopupMenuOwner";

void fill(HMENU target, const MenuSpec& menu, std::vector<std::string>& ids, std::vector<const MenuSpec*>& open)
{
    open.push_back(&menu);
    for (const MenuItemSpec& item : menu.items) {
        if (item.separator) {
            AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption = wintext::toWide(item.caption);
        if (item.submenu) {
            const HMENU submenu = CreatePopupMenu();
            if (!submenu)
                continue;
            bool looped = false;
            for (const MenuSpec* outer : open)
                looped = looped || outer == item.submenu;
            if (!looped)
                fill(submenu, *item.submenu, ids, open);
            if (!AppendMenuW(target, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), caption.c_str()))
                DestroyMenu(submenu);
            continue;
        }
        // Commands count from 1: TrackPopupMenu returns 0 for no choice.
        ids.emplace_back(item.id);
        AppendMenuW(target, MF_STRING, UINT_PTR(ids.size()), caption.c_str());
    }
    open.pop_back();
}

}  // namespace

HMENU WinPopupMenus::build(const MenuSpec& menu, std::vector<std::string>& ids)
{
    ids.clear();
    const HMENU root = CreatePopupMenu();
    std::vector<const MenuSpec*> open;
    if (root)
        fill(root, menu, ids, open);
    return root;
}

WinPopupMenus::WinPopupMenus()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier object registered it
    // Never shown: a top-level window, since a message-only one cannot come
    // to the foreground; the tool-window style keeps it off the taskbar.
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

WinPopupMenus::~WinPopupMenus()
{
    if (owner_)
        DestroyWindow(owner_);
}

// The chosen command comes back as the return value, not as a WM_COMMAND to
// the owner, so the choice is known without a message loop of our own.
// Either button chooses an item: the menus open on a right click.
std::optional<std::string> WinPopupMenus::popup(const MenuSpec& menu, PixelPoint at)
{
    if (!owner_)
        return std::nullopt;
    std::vector<std::string> ids;
    const HMENU handle = build(menu, ids);
    if (!handle)
        return std::nullopt;
    SetForegroundWindow(owner_);
    const UINT chosen = UINT(TrackPopupMenu(handle, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                            at.x, at.y, 0, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    DestroyMenu(handle);
    if (chosen == 0 || chosen > ids.size())
        return std::nullopt;
    return ids[chosen - 1];
}

PixelPoint WinPopupMenus::pointerPosition() const
{
    POINT at{};
    if (!GetCursorPos(&at))
        return {};
    return {int(at.x), int(at.y)};
}
