#pragma once

#include <windows.h>

// A window whose messages go to its C++ object: the object is passed at
// creation, kept with the window from WM_NCCREATE on, and every message
// after that reaches handle(). The object outlives its window: the
// destructor destroys the window if it is still there.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    bool create(DWORD exStyle, DWORD style, const wchar_t* title, int x, int y, int width, int height,
                HWND owner = nullptr);
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
