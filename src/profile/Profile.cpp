#include "Profile.h"

#include "AnsiCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr qsizetype kMaxValueBytes = 9999;

struct FileRead {
    QByteArray bytes;
    QString error;  // empty when the file was read or does not exist
};

FileRead readFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("无法读取文件（%1）").arg(file.errorString())};
    return {file.readAll(), {}};
}

// Cuts a value to the reader's buffer without splitting a character.
QByteArray cutToBuffer(const QByteArray& value)
{
    if (value.size() <= kMaxValueBytes)
        return value;
    qsizetype end = 0;
    while (end < value.size()) {
        const int len = ansi::charLength(value, end);
        if (end + len > kMaxValueBytes)
            break;
        end += len;
    }
    return value.left(end);
}

bool holdsLineBreak(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'\n' || c == u'\r'; });
}

// A key that a reader could not find again: empty, holding "=", or read as a section.
bool unreadableKey(const QString& key)
{
    qsizetype first = 0;
    while (first < key.size() && key[first].isSpace())
        ++first;
    return first == key.size() || key[first] == QLatin1Char('[') || key.contains(QLatin1Char('='));
}

QString refusalFor(const QString& section, const QString& key, const QString& value)
{
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value))
        return QStringLiteral("名称或内容含有换行符，无法写入一行");
    if (unreadableKey(key))
        return QStringLiteral("键名“%1”无法写入").arg(key);
    return {};
}

bool isReadOnly(const QFileInfo& info)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.exists() && !(info.permissions() & anyWrite);
}

QString replaceFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (isReadOnly(info))
        return QStringLiteral("文件是只读的");
    // The new content goes to a temporary file beside the profile, is
    // flushed to disk and then renamed over it, so the profile is always
    // either the old file or the new one, never a part of either.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace

QString ProfileResult::message() const
{
    return QStringLiteral("设置未能保存到文件 %1\n原因：%2").arg(QDir::toNativeSeparators(file), reason);
}

QString profilePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Ombrel.ini"));
}

QString GetINI(const QString& section, const QString& key, const QString& path)
{
    return ProfileSnapshot(path).GetINI(section, key);
}

ProfileResult WriteINI(const QString& section, const QString& key, const QString& value,
                       const QString& path)
{
    ProfileEdit edit(path);
    edit.WriteINI(section, key, value);
    return edit.commit();
}

ProfileSnapshot::ProfileSnapshot(const QString& path)
    : doc_(IniDocument::parse(readFile(path).bytes))
{
}

const QByteArray& SectionBytes::operator()(const QString& section)
{
    // Commands address one section many times in a row.
    if (bytes_.isNull() || section != text_) {
        text_ = section;
        bytes_ = ansi::encode(section);
    }
    return bytes_;
}

QString ProfileSnapshot::GetINI(const QString& section, const QString& key) const
{
    const auto value = doc_.value(sectionBytes_(section), ansi::encode(key));
    return value ? ansi::decode(cutToBuffer(*value)) : QString();
}

ProfileEdit::ProfileEdit(QString path)
    : path_(std::move(path))
{
    FileRead read = readFile(path_);
    refusal_ = read.error;
    doc_ = IniDocument::parse(read.bytes);
}

void ProfileEdit::WriteINI(const QString& section, const QString& key, const QString& value)
{
    if (!refusal_.isEmpty())
        return;
    refusal_ = refusalFor(section, key, value);
    if (!refusal_.isEmpty())
        return;
    doc_.setValue(sectionBytes_(section), ansi::encode(key), ansi::encode(value));
    changed_ = true;
}

ProfileResult ProfileEdit::commit()
{
    if (!refusal_.isEmpty())
        return {path_, refusal_};
    if (!changed_)
        return {path_, {}};
    return {path_, replaceFile(path_, doc_.serialize())};
}
