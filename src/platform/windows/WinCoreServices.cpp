#include "platform/CoreServices.h"

#include "WinClock.h"
#include "WinCodePage.h"
#include "WinCollation.h"
#include "WinFileStore.h"

CoreServices makeCoreServices()
{
    return {std::make_unique<WinCodePage>(), std::make_unique<WinCollation>(), std::make_unique<WinFileStore>(),
            std::make_unique<WinClock>()};
}
