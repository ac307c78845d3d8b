#include "ProfileLocation.h"

std::string chooseProfileFolder(const ProfileFolderFacts& facts)
{
    if (facts.profileBesideExecutable || facts.executableFolderWritable)
        return facts.executableFolder;
    return facts.perUserFolder;
}
