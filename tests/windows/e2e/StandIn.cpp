// The one stand-in program of the end-to-end tests, by its arguments:
//
//   standin --profile CALLS INI   makes, for each line "section<TAB>key<TAB>value"
//                                 of the UTF-8 file CALLS, the call
//                                 WritePrivateProfileStringA(section, key, value, INI)
//                                 with the texts in the ANSI code page: the
//                                 profile that the Windows functions write;
//   standin [ARGS...]             a program to be started: writes its working
//                                 folder and then its arguments, one per line
//                                 in UTF-8, to its own path + ".txt".
#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::string convert(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string ansiOfUtf8(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return convert(wide, CP_ACP);
}

int writeProfile(const std::wstring& calls, const std::wstring& ini)
{
    std::ifstream in(calls.c_str(), std::ios::binary);
    if (!in)
        return 2;
    const std::string path = convert(ini, CP_ACP);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            return 3;
        const std::string section = ansiOfUtf8(line.substr(0, first));
        const std::string key = ansiOfUtf8(line.substr(first + 1, second - first - 1));
        const std::string value = ansiOfUtf8(line.substr(second + 1));
        if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()))
            return 4;
    }
    return 0;
}

int recordStart(int argc, wchar_t** argv)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::ostringstream record;
    record << convert(folder, CP_UTF8) << '\n';
    for (int i = 1; i < argc; ++i)
        record << convert(argv[i], CP_UTF8) << '\n';
    // Written whole under another name and then renamed, so that a reader
    // never sees half a record.
    const std::wstring done = std::wstring(self) + L".txt";
    const std::wstring partial = done + L".part";
    {
        std::ofstream out(partial.c_str(), std::ios::binary);
        out << record.str();
    }
    return MoveFileExW(partial.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int status = 0;
    if (argc == 4 && std::wstring(argv[1]) == L"--profile")
        status = writeProfile(argv[2], argv[3]);
    else
        status = recordStart(argc, argv);
    LocalFree(argv);
    return status;
}
