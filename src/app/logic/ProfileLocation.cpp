#include "ProfileLocation.h"

QString chooseProfileFolder(const ProfileFolderFacts& facts)
{
    if (facts.profileBesideExecutable || facts.executableFolderWritable)
        return facts.executableFolder;
    return facts.perUserFolder;
}
