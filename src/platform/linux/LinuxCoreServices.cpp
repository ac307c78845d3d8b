#include "platform/CoreServices.h"

#include "IcuCodePage.h"
#include "IcuCollation.h"
#include "PosixClock.h"
#include "PosixFileStore.h"

CoreServices makeCoreServices()
{
    return {std::make_unique<IcuCodePage>(), std::make_unique<IcuCollation>(), std::make_unique<PosixFileStore>(),
            std::make_unique<PosixClock>()};
}
