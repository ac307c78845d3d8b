#pragma once

#include "core/Result.h"
#include "platform/qt/QtText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Lets failing expectations show text rather than bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The user session the tests run in, made by main() before Qt or GIO start:
// HOME and the XDG folders lie in a temporary folder, there is no session
// bus, and the default application for text files and for folders is a
// recorder script.
namespace fake {

QString root();
// A shell script that writes its working folder (physical), its $0 and its
// arguments, one a line, to the file named by $OMBREL_TEST_RECORD.
QString recorder();
QByteArray recorderScript();

// Runs launch with a fresh record file and waits for a process to write
// it. The lines written, or an empty list when nothing came in time.
QStringList record(const std::function<Result()>& launch);

// What desktop-file-validate says about file; empty when it is clean.
QString validationProblems(const QString& file);

// Writes bytes to path, making its folder, and sets its mode.
void writeFile(const QString& path, const QByteArray& bytes, int mode = 0644);

}  // namespace fake
