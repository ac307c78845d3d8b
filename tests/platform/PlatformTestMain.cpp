#include "FakeSession.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace {

QString rootFolder;
int recordCount = 0;

// Before any Qt or GIO call: both read these once and keep what they read.
void makeSessionEnvironment()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-platform-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make the session folder");
    const std::string root = pattern;
    const auto set = [&root](const char* name, const char* sub) {
        const std::string path = root + "/" + sub;
        ::mkdir(path.c_str(), 0700);
        ::setenv(name, path.c_str(), 1);
    };
    set("HOME", "home");
    set("XDG_CONFIG_HOME", "config");
    set("XDG_DATA_HOME", "data");
    set("XDG_CACHE_HOME", "cache");
    set("XDG_RUNTIME_DIR", "runtime");
    set("XDG_CONFIG_DIRS", "etc-xdg");
    ::setenv("XDG_DATA_DIRS", "/usr/share", 1);  // the MIME database
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    rootFolder = QString::fromStdString(root);
}

void makeDefaultApplications()
{
    fake::writeFile(fake::recorder(), fake::recorderScript(), 0755);
    fake::writeFile(rootFolder + QStringLiteral("/data/applications/recorder.desktop"),
                    "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + QFile::encodeName(fake::recorder())
                        + " %f\nMimeType=text/plain;inode/directory;\n");
    fake::writeFile(rootFolder + QStringLiteral("/data/applications/browser.desktop"),
                    "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + QFile::encodeName(fake::recorder())
                        + " %u\nMimeType=x-scheme-handler/http;\n");
    fake::writeFile(rootFolder + QStringLiteral("/config/mimeapps.list"),
                    "[Default Applications]\ntext/plain=recorder.desktop\ninode/directory=recorder.desktop\n"
                    "x-scheme-handler/http=browser.desktop\n");
}

}  // namespace

namespace fake {

QString root()
{
    return rootFolder;
}

QString recorder()
{
    return rootFolder + QStringLiteral("/recorder.sh");
}

QByteArray recorderScript()
{
    // Written aside and renamed, so that a complete record appears at once.
    return "#!/bin/sh\n"
           "{ pwd -P; printf '%s\\n' \"$0\" \"$@\"; } > \"$OMBREL_TEST_RECORD.part\" "
           "&& mv \"$OMBREL_TEST_RECORD.part\" \"$OMBREL_TEST_RECORD\"\n";
}

QStringList record(const std::function<Result()>& launch)
{
    const QString file = rootFolder + QStringLiteral("/record-%1").arg(++recordCount);
    qputenv("OMBREL_TEST_RECORD", QFile::encodeName(file));
    const Result result = launch();
    EXPECT_TRUE(result.ok()) << result.reason;
    if (!result.ok() || !QTest::qWaitFor([&file] { return QFile::exists(file); }, 10000))
        return {};
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString validationProblems(const QString& file)
{
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(QStringLiteral("desktop-file-validate"), {file});
    if (!validator.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not run");
    const QString output = QString::fromUtf8(validator.readAll()).trimmed();
    if (validator.exitStatus() != QProcess::NormalExit || validator.exitCode() != 0)
        return output.isEmpty() ? QStringLiteral("desktop-file-validate failed") : output;
    return output;
}

void writeFile(const QString& path, const QByteArray& bytes, int mode)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    out.close();
    ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode));
}

}  // namespace fake

int main(int argc, char** argv)
{
    makeSessionEnvironment();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    makeDefaultApplications();
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    QDir(rootFolder).removeRecursively();
    return status;
}
