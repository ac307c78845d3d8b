#include "CanberraSound.h"

#include "platform/qt/QtText.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "DynamicLibrary.h"

#include <canberra.h>

namespace {

// The libcanberra functions, loaded at the first ring: the sound library and
// its codecs are not needed to start the program.
struct CanberraApi {
    decltype(&::ca_context_create) context_create = nullptr;
    decltype(&::ca_context_change_props) context_change_props = nullptr;
    decltype(&::ca_context_open) context_open = nullptr;
    decltype(&::ca_context_destroy) context_destroy = nullptr;
    decltype(&::ca_context_playing) context_playing = nullptr;
    decltype(&::ca_context_cancel) context_cancel = nullptr;
    decltype(&::ca_context_play) context_play = nullptr;
    decltype(&::ca_strerror) strerror = nullptr;
};

struct LoadedCanberra {
    DynamicLibrary library{"libcanberra.so.0"};
    CanberraApi api;
    bool complete = false;

    LoadedCanberra()
    {
        complete = library.resolve(api.context_create, "ca_context_create")
                   && library.resolve(api.context_change_props, "ca_context_change_props")
                   && library.resolve(api.context_open, "ca_context_open")
                   && library.resolve(api.context_destroy, "ca_context_destroy")
                   && library.resolve(api.context_playing, "ca_context_playing")
                   && library.resolve(api.context_cancel, "ca_context_cancel")
                   && library.resolve(api.context_play, "ca_context_play")
                   && library.resolve(api.strerror, "ca_strerror");
    }
};

const LoadedCanberra& loaded()
{
    static const LoadedCanberra library;
    return library;
}

// Only called once open() has succeeded, so the library is there.
const CanberraApi& ca()
{
    return loaded().api;
}

// Every ring shares one play id, so "is the ring still sounding" is one query.
constexpr uint32_t kRingId = 1;
constexpr const char* kAlarmEvent = "alarm-clock-elapsed";
// How long after it is started a ring may still be on its way to the
// speaker. Kept small: the alarm calls every 500 ms, and a coarse timer may
// fire 25 ms early, so a 420 ms ring must count as heard well before then.
constexpr qint64 kOutputDelayMs = 20;

QString errorText(int error)
{
    if (!loaded().complete)
        return QString::fromStdString(loaded().library.error());
    return QString::fromUtf8(ca().strerror(error));
}

// Errors that say the file itself could not be read or decoded, as opposed
// to the sound server being unreachable.
bool isFileError(int error)
{
    return error == CA_ERROR_NOTFOUND || error == CA_ERROR_ACCESS || error == CA_ERROR_IO
        || error == CA_ERROR_CORRUPT || error == CA_ERROR_NOTSUPPORTED || error == CA_ERROR_TOOBIG;
}

// The playing time of a RIFF WAVE file in milliseconds, from its header;
// -1 for any other file or a header that does not add up.
qint64 wavLengthMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8) != "WAVE")
        return -1;
    quint32 bytesPerSecond = 0;
    for (int chunk = 0; chunk < 64; ++chunk) {
        const QByteArray head = file.read(8);
        if (head.size() != 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + 4);
        if (head.startsWith("fmt ")) {
            const QByteArray format = file.read(16);
            if (format.size() != 16 || size < 16)
                return -1;
            bytesPerSecond = qFromLittleEndian<quint32>(format.constData() + 8);
            if (const qint64 rest = size - 16 + (size & 1); file.skip(rest) != rest)
                return -1;
        } else if (head.startsWith("data")) {
            if (bytesPerSecond == 0)
                return -1;
            // Files written while recording may leave the size unset or too large.
            const qint64 bytes = qMin<qint64>(size, file.size() - file.pos());
            return bytes * 1000 / bytesPerSecond;
        } else if (const qint64 rest = size + (size & 1); file.skip(rest) != rest) {
            return -1;
        }
    }
    return -1;
}

}  // namespace

CanberraSound::~CanberraSound()
{
    reset();
}

void CanberraSound::reset()
{
    if (context_)
        ca().context_destroy(context_);
    context_ = nullptr;
}

int CanberraSound::open()
{
    if (context_)
        return CA_SUCCESS;
    if (!loaded().complete)
        return CA_ERROR_NOTAVAILABLE;
    ca_context* context = nullptr;
    if (const int error = ca().context_create(&context); error < 0)
        return error;
    ca().context_change_props(context, CA_PROP_APPLICATION_NAME, "Ombrel", CA_PROP_APPLICATION_ID, "ombrel",
                            CA_PROP_APPLICATION_ICON_NAME, "ombrel", nullptr);
    if (const int error = ca().context_open(context); error < 0) {
        // A fresh context is made on the next ring, so a sound server that
        // starts later is still found.
        ca().context_destroy(context);
        return error;
    }
    context_ = context;
    return CA_SUCCESS;
}

bool CanberraSound::ringing()
{
    int playing = 0;
    if (ca().context_playing(context_, kRingId, &playing) != CA_SUCCESS || !playing)
        return false;
    if (!ringHeard_.hasExpired())
        return true;
    // The server holds a finished sound as playing until its output buffer
    // has drained, up to about two seconds; waiting for that would space
    // the rings far wider than they are called.
    ca().context_cancel(context_, kRingId);
    return false;
}

int CanberraSound::playFile(const QString& file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    const qint64 length = wavLengthMs(path);
    const int error = ca().context_play(context_, kRingId, CA_PROP_MEDIA_FILENAME, QFile::encodeName(path).constData(),
                                      CA_PROP_MEDIA_ROLE, "event", CA_PROP_EVENT_DESCRIPTION, "Alarm", nullptr);
    ringHeard_ = length < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(length + kOutputDelayMs);
    return error;
}

int CanberraSound::playAlarmEvent()
{
    ringHeard_ = QDeadlineTimer(QDeadlineTimer::Forever);
    return ca().context_play(context_, kRingId, CA_PROP_EVENT_ID, kAlarmEvent, CA_PROP_MEDIA_ROLE, "event",
                           CA_PROP_EVENT_DESCRIPTION, "Alarm", nullptr);
}

Result CanberraSound::playRing(const std::string& ringFile)
{
    const QString file = toQt(ringFile);
    const bool haveFile = QFileInfo(file).isFile();
    int fileError = CA_SUCCESS;
    int error = CA_SUCCESS;
    // The second round is for a sound server that went away since the last
    // ring (restarted, or replaced): the old context then fails every call,
    // so a new one is made and tried once.
    for (int round = 0; round < 2; ++round) {
        if (error = open(); error < 0)
            break;
        if (ringing())
            return Result::success();
        fileError = haveFile ? playFile(file) : CA_ERROR_NOTFOUND;
        // A ring file that cannot be played still leaves an audible alarm:
        // the desktop's own alarm sound.
        error = isFileError(fileError) ? playAlarmEvent() : fileError;
        if (error != CA_ERROR_STATE && error != CA_ERROR_DISCONNECTED)
            break;
        reset();
    }
    if (error >= 0)
        return Result::success();
    if (haveFile && isFileError(fileError))
        return Result::failure(toStd(QStringLiteral("无法播放铃声“%1”：%2；系统闹钟声也无法播放：%3")
                                         .arg(file, errorText(fileError), errorText(error))));
    return Result::failure(toStd(QStringLiteral("无法播放铃声：") + errorText(error)));
}
