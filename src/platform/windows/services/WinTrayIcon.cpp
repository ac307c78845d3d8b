#include "WinTrayIcon.h"

#include "platform/windows/WideText.h"

#include <shellapi.h>

#include <cwchar>

namespace {

const wchar_t kWindowClass[] = L"OmbrelTrayIconWindow";
constexpr UINT kIconId = 1;
// While the shell is not ready to take the icon (the program started with
// the session, before Explorer), it is offered again every second, for a
// minute; a taskbar that starts later still gets it by TaskbarCreated.
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 1000;
constexpr int kRetries = 60;

HINSTANCE thisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

}  // namespace

WinTrayIcon::WinTrayIcon()
{
    const HINSTANCE module = thisModule();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WinTrayIcon::windowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when a former icon registered it
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Never shown; the tool-window style keeps it off the taskbar and Alt+Tab.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"Ombrel", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              module, this);
    // Where no top-level window can be made (a session without a window
    // station's desktop, such as Wine without a display), a message-only
    // window still takes the icon's messages; it misses only the taskbar's
    // restart.
    if (!window_)
        window_ = CreateWindowExW(0, kWindowClass, L"Ombrel", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, this);
}

WinTrayIcon::~WinTrayIcon()
{
    if (installed_)
        Shell_NotifyIconW(NIM_DELETE, &data_);
    if (window_)
        DestroyWindow(window_);
}

HICON WinTrayIcon::iconOf(TrayPicture)
{
    // The image made for the notification area's size, not a larger one
    // scaled down by the shell.
    if (const HANDLE own = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED))
        return static_cast<HICON>(own);
    return LoadIconW(nullptr, IDI_APPLICATION);
}

Result WinTrayIcon::install(TrayPicture picture, const std::string& tip, Handler handler)
{
    onEvent_ = std::move(handler);
    if (!window_)
        return Result::failure("无法创建托盘图标的窗口：" + wintext::systemMessage(GetLastError()));
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = window_;
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = iconOf(picture);
    // The tip holds at most 63 characters and its end; a cut never splits a
    // surrogate pair.
    std::wstring text = wintext::toWide(tip);
    const std::size_t room = std::size(data_.szTip) - 1;
    if (text.size() > room) {
        text.resize(room);
        if (IS_HIGH_SURROGATE(text.back()))
            text.pop_back();
    }
    std::wmemcpy(data_.szTip, text.c_str(), text.size() + 1);

    wanted_ = true;
    if (installed_ && Shell_NotifyIconW(NIM_MODIFY, &data_))
        return Result::success();
    installed_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    if (!installed_) {
        retriesLeft_ = kRetries;
        SetTimer(window_, kRetryTimer, kRetryMs, nullptr);
    }
    if (!installed_)
        return Result::failure(FindWindowW(L"Shell_TrayWnd", nullptr)
                                   ? "无法添加托盘图标"
                                   : "无法添加托盘图标：还没有任务栏，任务栏启动后图标会出现");
    return Result::success();
}

TrayEvent WinTrayIcon::eventOf(LPARAM lParam)
{
    // Without NIM_SETVERSION the low word of lParam is the mouse message.
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDBLCLK: return TrayEvent::Show;
    case WM_RBUTTONUP: return TrayEvent::MenuRequest;
    default: return TrayEvent::Other;
    }
}

LRESULT CALLBACK WinTrayIcon::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WinTrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->window_ == window)
        return self->handle(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT WinTrayIcon::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCallbackMessage) {
        if (onEvent_)
            onEvent_(eventOf(lParam));
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A new taskbar knows no icons: the icon is added again, or for the
        // first time when there was no taskbar at install.
        if (wanted_)
            installed_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimer) {
        if (!installed_)
            installed_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
        if (installed_ || --retriesLeft_ <= 0)
            KillTimer(window, kRetryTimer);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
