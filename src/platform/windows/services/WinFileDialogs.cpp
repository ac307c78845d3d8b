#include "WinFileDialogs.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

std::optional<std::string> WinFileDialogs::chooseProgram()
{
    // Pairs of shown name and pattern, each ended by a NUL, the list by a
    // second NUL (the literal's own).
    static constexpr wchar_t filter[] = L"exe文件(*.exe)\0*.exe\0所有文件(*.*)\0*.*\0";

    // Room for the longest path the wide functions take.
    std::vector<wchar_t> chosen(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = DWORD(chosen.size());
    // The dialog would otherwise move the program's working folder to the
    // folder the user browsed to.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;  // cancelled, or the dialog could not be shown
    return wintext::toUtf8(chosen.data());
}
