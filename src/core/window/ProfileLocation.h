#pragma once

#include <string>

// Which folder holds the profile. It lives beside the executable; a profile
// already there always wins. An installed copy whose folder cannot be
// written keeps its profile in a per-user folder instead.
struct ProfileFolderFacts {
    std::string executableFolder;
    bool profileBesideExecutable = false;
    bool executableFolderWritable = false;
    std::string perUserFolder;
};

std::string chooseProfileFolder(const ProfileFolderFacts& facts);
