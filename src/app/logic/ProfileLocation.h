#pragma once

#include <QString>

// Which folder holds the profile. It lives beside the executable; a profile
// already there always wins. An installed copy whose folder cannot be
// written keeps its profile in a per-user folder instead.
struct ProfileFolderFacts {
    QString executableFolder;
    bool profileBesideExecutable = false;
    bool executableFolderWritable = false;
    QString perUserFolder;
};

QString chooseProfileFolder(const ProfileFolderFacts& facts);
