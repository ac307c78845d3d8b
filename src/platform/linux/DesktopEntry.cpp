#include "DesktopEntry.h"

#include "platform/qt/QtText.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

TargetKind targetKind(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return TargetKind::Document;
    if (path.endsWith(QLatin1String(".desktop")))
        return TargetKind::DesktopEntry;
    if (::access(name.constData(), X_OK) != 0)
        return TargetKind::Document;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TargetKind::Document;
    const QByteArray head = file.read(4);
    if (head == "\x7f" "ELF" || head.startsWith("#!"))
        return TargetKind::Program;
    return TargetKind::Document;
}

QString quoteExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        else if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

QString escapeStringValue(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\')
            escaped += QLatin1String("\\\\");
        else if (c == u'\n')
            escaped += QLatin1String("\\n");
        else if (c == u'\t')
            escaped += QLatin1String("\\t");
        else if (c == u'\r')
            escaped += QLatin1String("\\r");
        else if (c == u' ' && i == 0)
            escaped += QLatin1String("\\s");
        else
            escaped += c;
    }
    return escaped;
}

namespace {

QString execLine(const QString& target, TargetKind kind)
{
    const QString quoted = quoteExecArgument(target);
    switch (kind) {
    case TargetKind::DesktopEntry:
        return QStringLiteral("gio launch ") + quoted;
    case TargetKind::Document:
        // gio hands the file to the default handler of its type; the
        // handler inherits gio's working folder, the entry's Path.
        return QStringLiteral("gio open ") + quoted;
    case TargetKind::Program:
        break;
    }
    // GLib checks that the first word of Exec names a program before it
    // turns "%%" back into "%", so a program whose path holds a "%" would
    // never load. nice with a zero increment starts it unchanged; env
    // would not do, since it takes any argument holding "=" for a variable.
    if (target.contains(u'%'))
        return QStringLiteral("nice -n 0 ") + quoted;
    return quoted;
}

}  // namespace

QByteArray desktopEntryText(const ShortcutFields& fields, TargetKind kind)
{
    const QString given = toQt(fields.target);
    const QString target = given.isEmpty() ? QString() : QFileInfo(given).absoluteFilePath();
    const QString name = fields.name.empty() ? QFileInfo(given).fileName() : toQt(fields.name);

    QString text = QStringLiteral("[Desktop Entry]\n");
    const auto add = [&text](const char* key, const QString& value) {
        text += QLatin1String(key) + u'=' + escapeStringValue(value) + u'\n';
    };
    add("Type", QStringLiteral("Application"));
    add("Version", QStringLiteral("1.0"));
    add("Name", name);
    add("Exec", execLine(target, kind));
    if (!fields.workingDirectory.empty())
        add("Path", toQt(fields.workingDirectory));
    add("Terminal", QStringLiteral("false"));
    if (!fields.hotkey.empty())
        add("X-Ombrel-Hotkey", toQt(fields.hotkey));
    return text.toUtf8();
}
