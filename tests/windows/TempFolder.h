#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Helpers of the Windows tests that go straight to the system, so that what
// they check does not pass through the code under test.
namespace wintest {

inline std::wstring wide(std::string_view utf8)
{
    std::wstring out(utf8.size(), L'\0');
    out.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), int(out.size()))));
    return out;
}

inline std::string utf8(std::wstring_view text)
{
    std::string out(text.size() * 3, '\0');
    out.resize(size_t(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), int(out.size()), nullptr, nullptr)));
    return out;
}

// UTF-8 text in the ANSI code page, as a program of the A functions holds it.
inline std::string ansi(std::string_view utf8Text)
{
    const std::wstring w = wide(utf8Text);
    std::string out(w.size() * 2, '\0');
    out.resize(size_t(WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), out.data(), int(out.size()), nullptr, nullptr)));
    return out;
}

inline bool writeBytes(const std::wstring& path, std::string_view bytes)
{
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string readBytes(const std::wstring& path)
{
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    CloseHandle(h);
    return out;
}

// A new folder under the temporary folder, removed with all it holds.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view name = L"ombrel-test")
    {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        for (unsigned n = 0; path_.empty(); ++n) {
            std::wstring candidate = std::wstring(temp) + std::wstring(name) + L"-"
                                     + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
            if (CreateDirectoryW(candidate.c_str(), nullptr))
                path_ = candidate;
            else if (GetLastError() != ERROR_ALREADY_EXISTS)
                break;
        }
    }
    ~TempFolder()
    {
        if (!path_.empty())
            removeTree(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ok() const { return !path_.empty(); }
    std::wstring file(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
    const std::wstring& path() const { return path_; }

    // The names in the folder, sorted, separated by "|".
    std::wstring listing() const
    {
        std::wstring names;
        WIN32_FIND_DATAW found;
        const HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        std::vector<std::wstring> all;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                all.push_back(name);
        } while (FindNextFileW(h, &found));
        FindClose(h);
        std::sort(all.begin(), all.end());
        for (const std::wstring& name : all)
            names += (names.empty() ? L"" : L"|") + name;
        return names;
    }

private:
    static void removeTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        const HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

}  // namespace wintest
