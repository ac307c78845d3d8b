#pragma once

#include <QByteArray>
#include <QString>

// The profile is stored in the Chinese ANSI code page (CP936, i.e. GBK with
// 0x80 as the euro sign), byte for byte as the Windows profile functions
// write it. Characters that CP936 cannot hold are written in their GB18030
// four-byte form instead of being replaced by "?"; GB18030 agrees with CP936
// on every CP936 character, so files stay interchangeable.
namespace ansi {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Length in bytes of the character that starts at bytes[i]: 1 for single
// bytes, 2 for a double-byte pair, 4 for a GB18030 four-byte sequence.
int charLength(const QByteArray& bytes, qsizetype i);

}  // namespace ansi
