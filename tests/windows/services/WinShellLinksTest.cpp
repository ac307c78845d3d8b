#include "core/launcher/ItemText.h"
#include "platform/windows/services/WinShellLinks.h"

#include "platform/windows/WideText.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

namespace {

// A fresh folder of its own under the temporary folder.
std::wstring scratchFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp, n) + L"ombrel-links-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

struct Comeback {
    std::wstring path, workingDirectory;
    WORD hotkey = 0;
};

// Reads a shortcut back through the shell's own object.
Comeback readBack(const std::wstring& file)
{
    Comeback back;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))
        && SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH];
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
            back.path = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
            back.workingDirectory = text;
        link->GetHotkey(&back.hotkey);
    }
    if (persist)
        persist->Release();
    if (link)
        link->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return back;
}

}  // namespace

TEST(WinShellLinks, ReadsHotkeyTexts)
{
    EXPECT_EQ(WinShellLinks::hotkeyOf("ALT+CTRL+R"), 0x0652);
    EXPECT_EQ(WinShellLinks::hotkeyOf("ctrl+shift+F5"), (0x03 << 8) | VK_F5);
    EXPECT_EQ(WinShellLinks::hotkeyOf("7"), 0x0037);
    EXPECT_FALSE(WinShellLinks::hotkeyOf("ALT+CTRL+"));
    EXPECT_FALSE(WinShellLinks::hotkeyOf("ALT+ALT+R"));
    EXPECT_FALSE(WinShellLinks::hotkeyOf("META+R"));
    EXPECT_FALSE(WinShellLinks::hotkeyOf("ALT+F25"));
}

TEST(WinShellLinks, WritesAShortcutTheShellReadsBack)
{
    WinShellLinks links;
    EXPECT_EQ(links.suffix(), ".lnk");
    const std::wstring folder = scratchFolder();
    const std::wstring file = folder + L"\\Ombrel" + wintext::toWide(links.suffix());
    // The target need not exist: the shell keeps the path as given.
    const std::wstring target = folder + L"\\程序\\ombrel.exe";
    const std::wstring workDir = folder + L"\\程序";
    CreateDirectoryW(workDir.c_str(), nullptr);

    const ShortcutFields fields{"Ombrel", wintext::toUtf8(target), wintext::toUtf8(workDir), "ALT+CTRL+R"};
    const Result saved = links.save(wintext::toUtf8(file), fields);
    ASSERT_TRUE(saved.ok()) << saved.reason;

    const Comeback back = readBack(file);
    EXPECT_EQ(back.path, target);
    EXPECT_EQ(back.workingDirectory, workDir);
    EXPECT_EQ(back.hotkey, 0x0652);

    // A second save replaces the first.
    ASSERT_TRUE(links.save(wintext::toUtf8(file), {"Ombrel", wintext::toUtf8(target), "", ""}).ok());
    EXPECT_EQ(readBack(file).hotkey, 0);

    EXPECT_FALSE(links.save(wintext::toUtf8(file), {"Ombrel", "x", "", "ALT+?"}).ok());

    DeleteFileW(file.c_str());
    RemoveDirectoryW(workDir.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(WinShellLinks, PlacesAShortcutOnTheDesktop)
{
    WinShellLinks links;
    const std::string desktop = links.specialFolder(SpecialFolder::Desktop);
    ASSERT_FALSE(desktop.empty());
    EXPECT_NE(desktop.back(), '\\');

    wchar_t* known = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &known)));
    EXPECT_EQ(wintext::toWide(desktop), std::wstring(known));
    CoTaskMemFree(known);

    // A name no one else uses, removed again at once.
    const std::string file
        = desktop + "\\Ombrel 测试 " + std::to_string(GetCurrentProcessId()) + links.suffix();
    ASSERT_TRUE(links.save(file, {"Ombrel", "C:\\windows\\notepad.exe", "C:\\windows", ""}).ok());
    EXPECT_NE(GetFileAttributesW(wintext::toWide(file).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFileW(wintext::toWide(file).c_str()));
}

// The start menu is the folder itself; quick launch, derived from its path,
// is the roaming profile's Internet Explorer\Quick Launch beside it.
TEST(WinShellLinks, StartMenuIsTheFolderItselfAndQuickLaunchItsSibling)
{
    WinShellLinks links;
    wchar_t* known = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_StartMenu, 0, nullptr, &known)));
    const std::string startMenu = links.specialFolder(SpecialFolder::StartMenu);
    EXPECT_EQ(wintext::toWide(startMenu), std::wstring(known));
    CoTaskMemFree(known);
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)));
    EXPECT_EQ(wintext::toWide(quickLaunchFolder(startMenu)),
              std::wstring(known) + L"\\Microsoft\\Internet Explorer\\Quick Launch");
    CoTaskMemFree(known);
}
