#include "TempFolder.h"

#include "core/profile/Profile.h"
#include "platform/linux/IcuCodePage.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

TempFolder::TempFolder()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
}

QString TempFolder::file(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

QString TempFolder::profile() const
{
    return QString::fromStdString(profilePath(dir_.path().toStdString()));
}

void TempFolder::writeBytes(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempFolder::readBytes(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempFolder::writeProfile(const QString& text) const
{
    QString crlf = text;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    const std::string bytes = IcuCodePage().encode(crlf.toStdString());
    writeBytes(QStringLiteral("Ombrel.ini"), QByteArray::fromStdString(bytes));
}

QStringList TempFolder::entries() const
{
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
