#pragma once

#include "core/services/Clock.h"
#include "core/services/CodePage.h"
#include "core/services/Collation.h"
#include "core/services/FileStore.h"

#include <memory>

// The services that the portable rules need, made for the system the program
// was built for. The program owns one set for its whole life.
struct CoreServices {
    std::unique_ptr<CodePage> codePage;
    std::unique_ptr<Collation> collation;
    std::unique_ptr<FileStore> files;
    std::unique_ptr<Clock> clock;
};

CoreServices makeCoreServices();
