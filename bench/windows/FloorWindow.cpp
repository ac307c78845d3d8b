// The floor for the Windows start-up benchmark (bench/wine_startup_bench.py):
// the least a plain Win32 program with the main window's visible parts can
// do. One frameless popup of the main window's size at 96 DPI, centred on
// the work area, holding a list box of the entries given on the command line
// in the list's font, a clock line set every 500 ms as the main window's
// clock is, and a tray icon owned by a hidden top-level window. No profile,
// no pictures, no manifest (so no common controls 6), no menus.

#include <windows.h>

#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"OmbrelFloor";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kClockTimer = 1;
constexpr COLORREF kFrameColour = RGB(0x1D, 0x3F, 0x6E);

HWND clockLine = nullptr;

// The first installed face of the list font's fallback chain, looked up once.
const wchar_t* installedFace(HDC dc)
{
    static const wchar_t* const faces[] = {L"微软雅黑", L"Microsoft YaHei", L"WenQuanYi Micro Hei",
                                           L"Noto Sans CJK SC", L"SimSun"};
    for (const wchar_t* face : faces) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(
            dc, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
                *reinterpret_cast<bool*>(found) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        if (found)
            return face;
    }
    return L"MS Shell Dlg 2";
}

void showTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    wsprintfW(text, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    SetWindowTextW(clockLine, text);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        showTime();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
        SetBkColor(reinterpret_cast<HDC>(wParam), kFrameColour);
        return LRESULT(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
    case WM_DESTROY:  // of the main window: the tray host lives until the end
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND child(const wchar_t* className, DWORD style, RECT place, HWND parent, HFONT font)
{
    HWND made = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                place.right, place.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return made;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kFrameColour);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    // 4575 × 6630 twips at 15 twips a pixel, as the main window.
    const int width = 305, height = 442;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kClassName, L"Ombrel floor",
                                  WS_POPUP | WS_CLIPCHILDREN, work.left + (work.right - work.left - width) / 2,
                                  work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                                  instance, nullptr);

    // 10.5 points, as the list of the main window.
    HDC dc = GetDC(window);
    HFONT font = CreateFontW(-MulDiv(1050, GetDeviceCaps(dc, LOGPIXELSY), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH, installedFace(dc));
    ReleaseDC(window, dc);

    // The list's place in the main window: 240, 600, 2775 × 3810 twips.
    HWND list = child(L"LISTBOX", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, {16, 40, 185, 254},
                      window, font);
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(arguments[i]));
        LocalFree(arguments);
    }
    clockLine = child(L"STATIC", SS_NOPREFIX, {16, 404, 273, 22}, window, font);
    showTime();
    SetTimer(window, kClockTimer, 500, nullptr);

    // The window is shown before the tray icon exists, as the program's is.
    ShowWindow(window, SW_SHOW);
    SetFocus(list);

    HWND trayHost = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Ombrel floor tray", WS_POPUP, 0, 0, 0, 0,
                                    nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = trayHost;
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(tray.szTip, L"Ombrel floor", ARRAYSIZE(tray.szTip));
    Shell_NotifyIconW(NIM_ADD, &tray);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Shell_NotifyIconW(NIM_DELETE, &tray);
    return int(message.wParam);
}
