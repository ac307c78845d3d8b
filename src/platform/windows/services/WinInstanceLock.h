#pragma once

#include "platform/InstanceLock.h"

#include <windows.h>

#include <string>
#include <string_view>

// One running copy per user in the logon session: a named mutex in the
// session's namespace, "Local\<program>-<user SID>", held for the life of
// the object. Windows removes the mutex with the last handle to it, which a
// copy that crashed or was killed no longer holds, so it never blocks the
// next start.
class WinInstanceLock final : public InstanceLock {
public:
    explicit WinInstanceLock(std::wstring_view program = L"Ombrel");
    ~WinInstanceLock() override;
    WinInstanceLock(const WinInstanceLock&) = delete;
    WinInstanceLock& operator=(const WinInstanceLock&) = delete;

    Outcome acquire() override;
    const std::wstring& name() const { return name_; }

private:
    std::wstring name_;
    HANDLE mutex_ = nullptr;  // held while this copy is the one running
};
