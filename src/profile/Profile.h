#pragma once

#include "IniDocument.h"

#include <QString>

#include <optional>

// Outcome of a profile write. A write that failed names the file and the
// reason, so the caller can tell the user once per command.
struct ProfileResult {
    QString file;
    QString reason;  // empty on success

    bool ok() const { return reason.isEmpty(); }
    // The text of the notice shown for a failed write.
    QString message() const;
};

// The profile path inside an application folder.
QString profilePath(const QString& folder);

// Reads one value; the empty text when the file, section or key is missing.
// Values longer than 9,999 bytes come back cut to that length.
QString GetINI(const QString& section, const QString& key, const QString& path);

// Stores one value, replacing the file atomically.
ProfileResult WriteINI(const QString& section, const QString& key, const QString& value,
                       const QString& path);

// A section name in the file's encoding, remembered for the next call.
class SectionBytes {
public:
    const QByteArray& operator()(const QString& section);

private:
    QString text_;
    QByteArray bytes_;
};

// The file read and parsed once, for commands that read many values.
class ProfileSnapshot {
public:
    explicit ProfileSnapshot(const QString& path);
    QString GetINI(const QString& section, const QString& key) const;

private:
    IniDocument doc_;
    mutable SectionBytes sectionBytes_;
};

// Several writes made as one: the file is read once, the writes are applied
// in order, and commit() replaces the file once. The result is byte for byte
// what the same writes made one by one would give. If any write is refused,
// commit() writes nothing.
class ProfileEdit {
public:
    explicit ProfileEdit(QString path);

    void WriteINI(const QString& section, const QString& key, const QString& value);
    ProfileResult commit();

private:
    QString path_;
    IniDocument doc_;
    SectionBytes sectionBytes_;
    QString refusal_;
    bool changed_ = false;
};
