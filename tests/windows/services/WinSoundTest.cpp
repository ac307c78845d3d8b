#include "platform/windows/services/WinSound.h"

#include "../TempFolder.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

// Whether a sound is heard cannot be checked here; a missing ring file must
// come back at once, with the alarm sound asked for instead.
TEST(WinSound, AMissingRingFileReturnsAtOnce)
{
    wintest::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WinSound sound;
    const ULONGLONG before = GetTickCount64();
    const Result played = sound.playRing(wintest::utf8(folder.file(L"无此铃声.wav")));
    EXPECT_LT(GetTickCount64() - before, 2000u);
    if (!played.ok()) {
        EXPECT_NE(played.reason.find("无此铃声.wav"), std::string::npos) << played.reason;
    }
    PlaySoundW(nullptr, nullptr, 0);  // stops what the test started
}
