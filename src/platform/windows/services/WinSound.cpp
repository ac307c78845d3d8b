#include "WinSound.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <mmsystem.h>

Result WinSound::playRing(const std::string& file)
{
    const std::wstring wide = wintext::toWide(file);
    const DWORD attributes = file.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // No ring file: the alarm sound of the user's sound scheme, or the
        // default beep when the scheme has none.
        if (PlaySoundW(L"SystemExclamation", nullptr, SND_ALIAS | SND_ASYNC | SND_NOSTOP))
            return Result::success();
        return Result::failure("找不到铃声“" + file + "”，系统闹钟声也无法播放（可能仍在播放上一次的声音）");
    }
    // SND_NODEFAULT: a file that cannot be played stays silent here instead
    // of sounding the default beep, and the failure is reported.
    if (PlaySoundW(wide.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP))
        return Result::success();
    return Result::failure("无法播放铃声“" + file + "”（可能仍在播放上一次的铃声）");
}
