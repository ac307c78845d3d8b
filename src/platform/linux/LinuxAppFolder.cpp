#include "LinuxAppFolder.h"

#include "app/logic/ProfileLocation.h"
#include "profile/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

LinuxAppFolder::LinuxAppFolder()
{
    ProfileFolderFacts facts;
    facts.executableFolder = QCoreApplication::applicationDirPath();
    facts.profileBesideExecutable = QFileInfo::exists(profilePath(facts.executableFolder));
    facts.executableFolderWritable
        = ::access(QFile::encodeName(facts.executableFolder).constData(), W_OK) == 0;
    facts.perUserFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                              .filePath(QStringLiteral("ombrel"));
    path_ = chooseProfileFolder(facts);
    if (path_ == facts.perUserFolder)
        QDir().mkpath(path_);
}
