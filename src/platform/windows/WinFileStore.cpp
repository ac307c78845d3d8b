#include "WinFileStore.h"

#include "WideText.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (valid())
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // Closes the handle; false when closing failed (GetLastError tells why).
    bool close()
    {
        const HANDLE h = std::exchange(h_, INVALID_HANDLE_VALUE);
        return CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

Result failure(DWORD error)
{
    return Result::failure(wintext::systemMessage(error));
}

// The characters of a temporary file's name after its prefix.
constexpr wchar_t kDigits[] = L"abcdefghijklmnopqrstuvwxyz0123456789";

// Where the folder part of a path ends (after its last separator).
size_t nameStart(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

// "." + the file's name + the store's tag: no name a person gives a file.
std::wstring temporaryPrefix(std::wstring_view name)
{
    return L"." + std::wstring(name) + wintext::toWide(std::string(kTemporaryTag));
}

// A name for the temporary file beside target that is unlikely to be taken:
// the process, a counter and the clock, written in letters and digits.
std::wstring temporaryName(const std::wstring& target)
{
    static std::atomic<unsigned> counter{0};
    LARGE_INTEGER ticks;
    QueryPerformanceCounter(&ticks);
    unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32)
                              ^ static_cast<unsigned long long>(ticks.QuadPart) ^ (counter++ * 0x9E3779B97F4A7C15ull);
    const size_t start = nameStart(target);
    std::wstring name = target.substr(0, start) + temporaryPrefix(std::wstring_view(target).substr(start));
    for (size_t i = 0; i < kTemporaryRandomLength; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        name += kDigits[(seed >> 33) % 36];
    }
    return name;
}

// Whether entry is a name temporaryName() makes for a file called name. The
// file's own name is compared as Windows compares names, without case, as
// the profile's path may be spelled differently from one start to the next.
bool isTemporaryName(std::wstring_view entry, std::wstring_view name)
{
    const std::wstring prefix = temporaryPrefix(name);
    if (entry.size() != prefix.size() + kTemporaryRandomLength)
        return false;
    if (CompareStringOrdinal(entry.data(), int(prefix.size()), prefix.data(), int(prefix.size()), TRUE) != CSTR_EQUAL)
        return false;
    const std::wstring_view digits(kDigits);
    return std::all_of(entry.begin() + std::ptrdiff_t(prefix.size()), entry.end(),
                       [&](wchar_t c) { return digits.find(c) != std::wstring_view::npos; });
}

// Writes every byte; false when a write failed or wrote less.
bool writeAll(HANDLE file, std::string_view bytes)
{
    constexpr size_t kChunk = 1u << 30;
    while (!bytes.empty()) {
        const DWORD request = DWORD(std::min(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), request, &written, nullptr))
            return false;
        if (written != request) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

FileBytes WinFileStore::read(const std::string& path) const
{
    const std::wstring wide = wintext::toWide(path);
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};
        return {true, {}, wintext::systemMessage(error)};
    }
    FileBytes result;
    result.exists = true;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        result.bytes.reserve(size_t(size.QuadPart));
    // Read to the end rather than to the size seen at the start, which
    // another program may change meanwhile.
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            result.error = wintext::systemMessage(GetLastError());
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        result.bytes.append(buffer, got);
    }
    return result;
}

// The new file takes its folder's inherited access whoever may read it: a
// profile in a shared folder is as readable as the folder makes it.
Replacement WinFileStore::replace(const std::string& path, std::string_view bytes, FileReaders)
{
    const std::wstring target = wintext::toWide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return {"文件是只读的"};
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {failure(ERROR_ACCESS_DENIED).reason};

    // The new file keeps the marks the user may have set on the old one.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                            | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD newAttributes = exists && (attributes & kKept) ? (attributes & kKept) : FILE_ATTRIBUTE_NORMAL;

    // The new content goes to a temporary file beside the target, is flushed
    // to disk and then renamed over it, so the target is always either the
    // old file or the new one, never a part of either.
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporaryName(target);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, newAttributes, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS
            && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (created == INVALID_HANDLE_VALUE)
        return {failure(GetLastError()).reason};

    Handle file(created);
    const auto discard = [&](DWORD error) {
        if (file.valid())
            file.close();
        DeleteFileW(temporary.c_str());
        return Replacement{failure(error).reason};
    };
    if (!writeAll(file.get(), bytes))
        return discard(GetLastError());
    if (!FlushFileBuffers(file.get()))
        return discard(GetLastError());
    if (!file.close())
        return discard(GetLastError());
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return discard(GetLastError());
    return {};
}

void WinFileStore::removeLeftovers(const std::string& path)
{
    const std::wstring target = wintext::toWide(path);
    const std::wstring folder = target.substr(0, nameStart(target));
    const std::wstring name = target.substr(folder.size());
    if (name.empty())
        return;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // Only plain files: a folder or link of that name is someone else's.
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        if (isTemporaryName(found.cFileName, name))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
