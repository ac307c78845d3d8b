#include "WinShellLinks.h"

#include "platform/windows/WideText.h"

#include <windows.h>
#include <commctrl.h>
#include <knownfolders.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cctype>
#include <vector>

namespace {

// COM is started once on each thread that writes shortcuts, in a
// single-threaded apartment as the shell's objects expect, and ended when the
// thread ends. A thread that already runs in another apartment keeps it: the
// shell link object works there as well.
struct ComApartment {
    bool started = false;
    ComApartment()
    {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        started = SUCCEEDED(hr);
    }
    ~ComApartment()
    {
        if (started)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

void enterApartment()
{
    thread_local ComApartment apartment;
    (void)apartment;
}

// Releases a COM interface when it leaves scope.
template <typename T>
struct ComRef {
    T* p = nullptr;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};

std::string upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The virtual key of a key name: a letter, a digit or F1 to F24.
std::optional<WORD> virtualKeyOf(const std::string& name)
{
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return WORD(name[0]);  // the virtual keys of letters and digits are their ASCII codes
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9')
                return std::nullopt;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 24)
            return WORD(VK_F1 + n - 1);
    }
    return std::nullopt;
}

Result failure(const char* what, HRESULT hr)
{
    return Result::failure(std::string("无法写入快捷方式：") + what + "：" + wintext::systemMessage(DWORD(hr)));
}

}  // namespace

std::optional<std::uint16_t> WinShellLinks::hotkeyOf(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        parts.push_back(upper(trimmed(text.substr(start, plus == std::string::npos ? std::string::npos : plus - start))));
        if (plus == std::string::npos)
            break;
        start = plus + 1;
    }
    // The last part is the key; all before it are modifiers, each at most once.
    const std::optional<WORD> key = virtualKeyOf(parts.back());
    if (!key)
        return std::nullopt;
    WORD modifiers = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        WORD flag = 0;
        if (parts[i] == "ALT")
            flag = HOTKEYF_ALT;
        else if (parts[i] == "CTRL" || parts[i] == "CONTROL")
            flag = HOTKEYF_CONTROL;
        else if (parts[i] == "SHIFT")
            flag = HOTKEYF_SHIFT;
        if (flag == 0 || (modifiers & flag))
            return std::nullopt;
        modifiers |= flag;
    }
    return std::uint16_t((modifiers << 8) | *key);
}

std::string WinShellLinks::specialFolder(SpecialFolder folder) const
{
    // The start menu is the folder itself, as the scripting shell's special
    // folder "StartMenu" gives it; quick launch is derived from its path.
    const KNOWNFOLDERID& id = folder == SpecialFolder::Desktop ? FOLDERID_Desktop : FOLDERID_StartMenu;
    wchar_t* path = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path);
    std::wstring out = SUCCEEDED(hr) && path ? std::wstring(path) : std::wstring();
    CoTaskMemFree(path);  // freed even when the call failed, as its contract asks
    while (out.size() > 3 && (out.back() == L'\\' || out.back() == L'/'))
        out.pop_back();
    return wintext::toUtf8(out);
}

Result WinShellLinks::save(const std::string& file, const ShortcutFields& fields)
{
    std::optional<std::uint16_t> hotkey;
    if (!fields.hotkey.empty()) {
        hotkey = hotkeyOf(fields.hotkey);
        if (!hotkey)
            return Result::failure("无法写入快捷方式：不认识的快捷键“" + fields.hotkey + "”");
    }

    enterApartment();
    ComRef<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link.p));
    if (FAILED(hr))
        return failure("无法创建快捷方式对象", hr);
    if (FAILED(hr = link->SetPath(wintext::toWide(fields.target).c_str())))
        return failure("无法设置目标", hr);
    if (FAILED(hr = link->SetWorkingDirectory(wintext::toWide(fields.workingDirectory).c_str())))
        return failure("无法设置起始位置", hr);
    if (hotkey && FAILED(hr = link->SetHotkey(*hotkey)))
        return failure("无法设置快捷键", hr);

    ComRef<IPersistFile> persist;
    if (FAILED(hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p))))
        return failure("无法保存快捷方式", hr);
    if (FAILED(hr = persist->Save(wintext::toWide(file).c_str(), TRUE)))
        return failure("无法保存快捷方式", hr);
    return Result::success();
}
