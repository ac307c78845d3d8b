#include "LinuxAppFolder.h"

#include "core/window/ProfileLocation.h"
#include "core/profile/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

LinuxAppFolder::LinuxAppFolder()
{
    ProfileFolderFacts facts;
    facts.executableFolder = QCoreApplication::applicationDirPath().toStdString();
    facts.profileBesideExecutable = QFileInfo::exists(QString::fromStdString(profilePath(facts.executableFolder)));
    facts.executableFolderWritable = ::access(facts.executableFolder.c_str(), W_OK) == 0;
    facts.perUserFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                              .filePath(QStringLiteral("ombrel"))
                              .toStdString();
    programFolder_ = facts.executableFolder;
    path_ = chooseProfileFolder(facts);
    if (path_ == facts.perUserFolder)
        QDir().mkpath(QString::fromStdString(path_));
}
