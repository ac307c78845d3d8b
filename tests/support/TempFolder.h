#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private folder for one test, with helpers for the profile inside it.
class TempFolder {
public:
    TempFolder();

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;
    QString profile() const;

    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    // Writes a profile from UTF-8 text, stored as GBK with CR LF line ends.
    void writeProfile(const QString& text) const;
    // Names of every file in the folder, to see that nothing was left behind.
    QStringList entries() const;

private:
    QTemporaryDir dir_;
};
