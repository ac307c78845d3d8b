#include "NetworkManagerDialUp.h"

#include "core/services/CodePage.h"
#include "platform/qt/QtText.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDebug>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHash>
#include <QMap>
#include <QTimer>

#include <algorithm>
#include <memory>

#include <unistd.h>

namespace {

// The codes of the Windows remote-access service that a dial, a hang-up or an
// enumeration returns.
enum Code : std::uint32_t {
    kSuccess = 0,
    kAccessDenied = 5,
    kInvalidHandle = 6,
    kBufferTooSmall = 603,
    kNoSuchEntry = 623,
    kUserDisconnection = 631,
    kInvalidSize = 632,
    kDeviceError = 651,
    kLineBusy = 676,
    kNoAnswer = 678,
    kNoDialTone = 680,
    kAuthenticationFailure = 691,
    kServiceNotRunning = 711,
    kTimeout = 718,
    kNoProtocols = 720,
    kAlreadyDialing = 756,
};

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kAgentManagerPath = QStringLiteral("/org/freedesktop/NetworkManager/AgentManager");
const QString kAgentPath = QStringLiteral("/org/freedesktop/NetworkManager/SecretAgent");
const QString kManagerInterface = QStringLiteral("org.freedesktop.NetworkManager");
const QString kSettingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString kProfileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString kActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kAgentManagerInterface = QStringLiteral("org.freedesktop.NetworkManager.AgentManager");
const QString kAgentInterface = QStringLiteral("org.freedesktop.NetworkManager.SecretAgent");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// NMActiveConnectionState
constexpr std::uint32_t kActivating = 1;
constexpr std::uint32_t kActivated = 2;
constexpr std::uint32_t kDeactivating = 3;
constexpr std::uint32_t kDeactivated = 4;
// NMDeviceState
constexpr std::uint32_t kDeviceFailed = 120;
// NMSecretAgentGetSecretsFlags
constexpr std::uint32_t kRequestNew = 0x2;

// The calls other than a dial's are short; a service that does not answer
// within this long is taken as not running.
constexpr int kShortCallMs = 10000;

using Settings = QMap<QString, QVariantMap>;  // a{sa{sv}}
using StringMap = QMap<QString, QString>;     // a{ss}

void registerTypes()
{
    static const bool once = [] {
        qDBusRegisterMetaType<Settings>();
        qDBusRegisterMetaType<StringMap>();
        qDBusRegisterMetaType<QList<QDBusObjectPath>>();
        return true;
    }();
    (void)once;
}

// The kinds of profile the Windows service would hold as phonebook entries:
// PPPoE and ADSL broadband, mobile broadband, and VPNs. Each with the setting
// that holds its user name and password.
struct Kind {
    const char* type;
    const char* setting;  // where the user name and the password belong
    bool userName;        // the user name is that setting's "username"
};
constexpr Kind kKinds[] = {
    {"pppoe", "pppoe", true}, {"adsl", "adsl", true}, {"gsm", "gsm", true},
    {"cdma", "cdma", true},   {"vpn", "vpn", false},
};

const Kind* kindOf(const QString& type)
{
    for (const Kind& kind : kKinds)
        if (type == QLatin1String(kind.type))
            return &kind;
    return nullptr;
}

QDBusMessage call(const QString& path, const QString& interface, const QString& method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setAutoStartService(false);
    return message;
}

QDBusMessage getProperty(const QString& path, const QString& interface, const char* name)
{
    QDBusMessage message = call(path, kPropertiesInterface, QStringLiteral("Get"));
    message << interface << QString::fromLatin1(name);
    return message;
}

bool failed(const QDBusMessage& reply)
{
    return reply.type() != QDBusMessage::ReplyMessage;
}

QString errorText(const QDBusMessage& reply)
{
    if (reply.errorName().isEmpty())
        return reply.errorMessage().isEmpty() ? QStringLiteral("没有回应") : reply.errorMessage();
    return reply.errorMessage().isEmpty() ? reply.errorName()
                                          : QStringLiteral("%1（%2）").arg(reply.errorMessage(), reply.errorName());
}

void warn(const QString& text)
{
    qWarning().noquote() << "ombrel:" << text;
}

// The code for a call that NetworkManager or the bus refused; otherwise the
// code given.
std::uint32_t errorCode(const QDBusMessage& reply, std::uint32_t otherwise)
{
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
        || name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")
        || name == QLatin1String("org.freedesktop.DBus.Error.Disconnected")
        || name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn")))
        return kServiceNotRunning;
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply")
        || name == QLatin1String("org.freedesktop.DBus.Error.Timeout")
        || name == QLatin1String("org.freedesktop.DBus.Error.TimedOut"))
        return kTimeout;
    if (name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied")
        || name.endsWith(QLatin1String(".PermissionDenied")) || name.endsWith(QLatin1String(".NotAuthorized")))
        return kAccessDenied;
    if (name == QLatin1String("org.freedesktop.NetworkManager.UnknownConnection"))
        return kNoSuchEntry;
    return otherwise;
}

// A reply argument of a variant, or of a Get of one property, unwrapped.
QVariant unwrap(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return value.value<QDBusVariant>().variant();
    return value;
}

QStringList objectPaths(const QVariant& value)
{
    QStringList paths;
    const QVariant plain = unwrap(value);
    QList<QDBusObjectPath> list;
    if (plain.userType() == qMetaTypeId<QDBusArgument>())
        list = qdbus_cast<QList<QDBusObjectPath>>(plain.value<QDBusArgument>());
    else
        list = plain.value<QList<QDBusObjectPath>>();
    for (const QDBusObjectPath& path : list)
        paths.append(path.path());
    return paths;
}

QVariantMap variantMap(const QVariant& value)
{
    const QVariant plain = unwrap(value);
    if (plain.userType() == qMetaTypeId<QDBusArgument>())
        return qdbus_cast<QVariantMap>(plain.value<QDBusArgument>());
    return plain.toMap();
}

// Overwrites text before it is let go, so that a password does not linger in
// freed memory.
void scrub(QString& text)
{
    text.fill(QChar(0));
    text.clear();
}

void scrub(std::string& text)
{
    std::fill(text.begin(), text.end(), '\0');
    text.clear();
}

// The code of NetworkManager's reason for a device's failure; 0 when the
// reason says nothing a dial's caller can act on.
std::uint32_t deviceFailureCode(std::uint32_t reason)
{
    switch (reason) {
    case 7:  // NO_SECRETS
        return kAuthenticationFailure;
    case 13:  // PPP_DISCONNECT
    case 14:  // PPP_FAILED
    case 25:  // MODEM_NO_CARRIER
    case 26:  // MODEM_DIAL_TIMEOUT
    case 29:  // GSM_APN_FAILED
    case 30:  // GSM_REGISTRATION_NOT_SEARCHING
    case 31:  // GSM_REGISTRATION_DENIED
    case 32:  // GSM_REGISTRATION_TIMEOUT
    case 33:  // GSM_REGISTRATION_FAILED
    case 40:  // CARRIER: the line went down
        return kNoAnswer;
    case 23:  // MODEM_BUSY
        return kLineBusy;
    case 24:  // MODEM_NO_DIAL_TONE
        return kNoDialTone;
    case 5:   // IP_CONFIG_UNAVAILABLE
    case 6:   // IP_CONFIG_EXPIRED
    case 15:  // DHCP_START_FAILED
    case 16:  // DHCP_ERROR
    case 17:  // DHCP_FAILED
        return kNoProtocols;
    case 38:  // CONNECTION_REMOVED
        return kNoSuchEntry;
    case 39:  // USER_REQUESTED
        return kUserDisconnection;
    case 0:  // NONE
    case 1:  // UNKNOWN
        return 0;
    default:  // the PPP program, the modem, the SIM, the device itself
        return kDeviceError;
    }
}

// Answers NetworkManager's requests for the secrets of the one profile being
// dialled, with the password typed for this dial, and nobody else's
// requests. It stores nothing: requests to save or delete secrets are
// answered without doing anything.
class SecretAgent final : public QDBusVirtualObject {
public:
    SecretAgent(QString networkManager, QString profilePath, const Kind& kind, QString password)
        : networkManager_(std::move(networkManager))
        , profilePath_(std::move(profilePath))
        , kind_(kind)
        , password_(std::move(password))
    {
    }
    ~SecretAgent() override { scrub(password_); }

    // NetworkManager asked for new secrets: it found the ones given wrong.
    bool refused() const { return refused_; }

    QString introspect(const QString&) const override
    {
        return QStringLiteral(
            "<interface name=\"org.freedesktop.NetworkManager.SecretAgent\">"
            "<method name=\"GetSecrets\"><arg name=\"connection\" type=\"a{sa{sv}}\" direction=\"in\"/>"
            "<arg name=\"connection_path\" type=\"o\" direction=\"in\"/>"
            "<arg name=\"setting_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"hints\" type=\"as\" direction=\"in\"/><arg name=\"flags\" type=\"u\" direction=\"in\"/>"
            "<arg name=\"secrets\" type=\"a{sa{sv}}\" direction=\"out\"/></method>"
            "<method name=\"CancelGetSecrets\"><arg name=\"connection_path\" type=\"o\" direction=\"in\"/>"
            "<arg name=\"setting_name\" type=\"s\" direction=\"in\"/></method>"
            "<method name=\"SaveSecrets\"><arg name=\"connection\" type=\"a{sa{sv}}\" direction=\"in\"/>"
            "<arg name=\"connection_path\" type=\"o\" direction=\"in\"/></method>"
            "<method name=\"DeleteSecrets\"><arg name=\"connection\" type=\"a{sa{sv}}\" direction=\"in\"/>"
            "<arg name=\"connection_path\" type=\"o\" direction=\"in\"/></method>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != kAgentInterface)
            return false;
        // Any program on the system bus can call this object; the password is
        // for NetworkManager only.
        if (message.service() != networkManager_) {
            warn(QStringLiteral("拒绝了 %1 向拨号的密钥代理提出的 %2 请求：它不是 NetworkManager")
                     .arg(message.service(), message.member()));
            connection.send(message.createErrorReply(QDBusError::AccessDenied,
                                                     QStringLiteral("Only NetworkManager may ask this agent")));
            return true;
        }
        const QString member = message.member();
        if (member == QLatin1String("GetSecrets")) {
            connection.send(getSecrets(message));
            return true;
        }
        if (member == QLatin1String("CancelGetSecrets") || member == QLatin1String("SaveSecrets")
            || member == QLatin1String("DeleteSecrets")) {
            connection.send(message.createReply());
            return true;
        }
        return false;
    }

private:
    QDBusMessage getSecrets(const QDBusMessage& message)
    {
        const QList<QVariant> arguments = message.arguments();
        const QString path = arguments.value(1).value<QDBusObjectPath>().path();
        const QString setting = arguments.value(2).toString();
        const std::uint32_t flags = arguments.value(4).toUInt();
        if (path != profilePath_ || setting != QLatin1String(kind_.setting))
            // Another agent, the desktop's, may have them.
            return message.createErrorReply(QStringLiteral("org.freedesktop.NetworkManager.SecretAgent.NoSecrets"),
                                            QStringLiteral("This agent holds only the secrets of the connection being dialled"));
        if (flags & kRequestNew) {
            // The password typed was turned down. Giving it again would only
            // repeat the failure, and another agent would ask the person for a
            // password in a window of its own, in the middle of this dial.
            refused_ = true;
            warn(QStringLiteral("NetworkManager 要求为“%1”的 %2 设置提供新的密码：这次拨号用的密码被拒绝了")
                     .arg(profilePath_, setting));
            return message.createErrorReply(QStringLiteral("org.freedesktop.NetworkManager.SecretAgent.UserCanceled"),
                                            QStringLiteral("The password given for this dial was refused"));
        }
        QVariantMap secrets;
        if (setting == QLatin1String("vpn"))
            secrets.insert(QStringLiteral("secrets"), QVariant::fromValue(StringMap{{QStringLiteral("password"), password_}}));
        else
            secrets.insert(QStringLiteral("password"), password_);
        return message.createReply(QVariant::fromValue(Settings{{setting, secrets}}));
    }

    const QString networkManager_;
    const QString profilePath_;
    const Kind& kind_;
    QString password_;
    bool refused_ = false;
};

}  // namespace

// A profile found for an entry name.
struct NetworkManagerDialUp::Profile {
    QString path;
    const Kind* kind = nullptr;
    Settings settings;  // without its secrets
};

// What a dial in progress has seen.
struct NetworkManagerDialUp::Dial {
    QDeadlineTimer deadline;
    QString networkManager;  // the unique name of its owner when the dial began
    bool networkManagerGone = false;
    QString activePath;
    QStringList devices;  // those of the active connection
    // The last state and reason of each active connection, and the reason
    // of each device's failure, seen while the dial ran: a signal may come
    // before the reply that names the active connection.
    QHash<QString, std::pair<std::uint32_t, std::uint32_t>> activeStates;
    QHash<QString, std::uint32_t> deviceFailures;
    SecretAgent* agent = nullptr;
    QEventLoop* loop = nullptr;

    std::optional<std::pair<std::uint32_t, std::uint32_t>> state() const
    {
        const auto found = activeStates.constFind(activePath);
        if (activePath.isEmpty() || found == activeStates.constEnd())
            return std::nullopt;
        return *found;
    }
    bool ended() const
    {
        const auto current = state();
        return networkManagerGone || (current && current->first >= kActivated);
    }
};

NetworkManagerDialUp::NetworkManagerDialUp(const CodePage& codePage, std::chrono::milliseconds timeout)
    : codePage_(codePage)
    , timeout_(timeout)
{
}

NetworkManagerDialUp::NetworkManagerDialUp(const CodePage& codePage, QDBusConnection systemBus,
                                           std::chrono::milliseconds timeout)
    : codePage_(codePage)
    , bus_(std::move(systemBus))
    , timeout_(timeout)
{
}

NetworkManagerDialUp::~NetworkManagerDialUp() = default;

// Reached on the first call: connecting costs start-up time, and most runs
// never dial.
const QDBusConnection& NetworkManagerDialUp::bus()
{
    if (!bus_) {
        registerTypes();
        bus_ = QDBusConnection::systemBus();
    }
    return *bus_;
}

QDBusMessage NetworkManagerDialUp::callAndWait(const QDBusMessage& message, int timeoutMs)
{
    if (!bus().isConnected())
        return message.createErrorReply(QDBusError::Disconnected, QStringLiteral("连接不到系统总线"));
    QDBusPendingCall pending = bus().asyncCall(message, std::max(timeoutMs, 1));
    if (!pending.isFinished()) {
        QDBusPendingCallWatcher watcher(pending);
        QEventLoop loop;
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        if (!watcher.isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return pending.reply();
}

QDBusMessage NetworkManagerDialUp::callBlocking(const QDBusMessage& message)
{
    if (!bus().isConnected())
        return message.createErrorReply(QDBusError::Disconnected, QStringLiteral("连接不到系统总线"));
    return bus().call(message, QDBus::Block, kShortCallMs);
}

int NetworkManagerDialUp::remainingMs(const Dial& dial) const
{
    return int(std::clamp<qint64>(dial.deadline.remainingTime(), 1, 0x7fffffff));
}

std::uint32_t NetworkManagerDialUp::handleFor(const QString& activePath)
{
    for (const auto& [handle, path] : handles_)
        if (path == activePath)
            return handle;
    const std::uint32_t handle = nextHandle_++;
    if (nextHandle_ == 0)
        nextHandle_ = 1;
    handles_[handle] = activePath;
    return handle;
}

std::uint32_t NetworkManagerDialUp::dial(const DialRecord& record, std::uint32_t& handle)
{
    handle = 0;
    if (dial_) {
        warn(QStringLiteral("无法拨号：已有一次拨号正在进行"));
        return kAlreadyDialing;
    }
    DialParams params = unpackDialRecord(record, codePage_);
    QString password = toQt(params.password);
    scrub(params.password);
    Dial dial;
    dial.deadline = QDeadlineTimer(timeout_);
    dial_ = &dial;
    const std::uint32_t code =
        dialProfile(dial, toQt(params.entryName), toQt(params.userName), std::move(password), handle);
    dial_ = nullptr;
    scrub(password);
    return code;
}

std::optional<NetworkManagerDialUp::Profile> NetworkManagerDialUp::findProfile(const QString& id, Dial& dial,
                                                                               std::uint32_t& code)
{
    const QDBusMessage list =
        callAndWait(call(kSettingsPath, kSettingsInterface, QStringLiteral("ListConnections")), remainingMs(dial));
    if (failed(list)) {
        warn(QStringLiteral("无法拨号“%1”：读不到 NetworkManager 的连接列表：%2").arg(id, errorText(list)));
        code = errorCode(list, kServiceNotRunning);
        return std::nullopt;
    }
    QString otherType;
    for (const QString& path : objectPaths(list.arguments().value(0))) {
        const QDBusMessage reply =
            callAndWait(call(path, kProfileInterface, QStringLiteral("GetSettings")), remainingMs(dial));
        if (failed(reply))
            continue;  // a profile that went away meanwhile, or one not for this user
        Settings settings = qdbus_cast<Settings>(reply.arguments().value(0).value<QDBusArgument>());
        const QVariantMap connection = settings.value(QStringLiteral("connection"));
        if (connection.value(QStringLiteral("id")).toString() != id)
            continue;
        const QString type = connection.value(QStringLiteral("type")).toString();
        if (const Kind* kind = kindOf(type))
            return Profile{path, kind, std::move(settings)};
        otherType = type;
    }
    if (otherType.isEmpty())
        warn(QStringLiteral("无法拨号：NetworkManager 里没有名为“%1”的连接").arg(id));
    else
        // Activating a wired or wireless profile would take down whatever
        // that device carries now; it is no dial-up entry.
        warn(QStringLiteral("无法拨号：NetworkManager 里名为“%1”的连接是 %2 类型的，不是拨号连接（PPPoE、ADSL、移动宽带或 VPN）")
                 .arg(id, otherType));
    code = kNoSuchEntry;
    return std::nullopt;
}

std::uint32_t NetworkManagerDialUp::dialProfile(Dial& dial, const QString& entryName, const QString& userName,
                                                QString password, std::uint32_t& handle)
{
    if (!bus().isConnected()) {
        warn(QStringLiteral("无法拨号“%1”：连接不到系统总线（%2）").arg(entryName, bus().lastError().message()));
        return kServiceNotRunning;
    }
    QDBusMessage owner = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                        QStringLiteral("/org/freedesktop/DBus"),
                                                        QStringLiteral("org.freedesktop.DBus"),
                                                        QStringLiteral("GetNameOwner"));
    owner << kService;
    const QDBusMessage ownerReply = callAndWait(owner, remainingMs(dial));
    if (failed(ownerReply)) {
        warn(QStringLiteral("无法拨号“%1”：NetworkManager 没有在运行（%2）").arg(entryName, errorText(ownerReply)));
        return kServiceNotRunning;
    }
    dial.networkManager = ownerReply.arguments().value(0).toString();

    // Listened to from before the activation, so that no change is missed.
    QDBusServiceWatcher watcher(kService, bus(), QDBusServiceWatcher::WatchForOwnerChange);
    connect(&watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [&dial](const QString&, const QString&, const QString& newOwner) {
                if (newOwner != dial.networkManager) {
                    dial.networkManagerGone = true;
                    if (dial.loop)
                        dial.loop->quit();
                }
            });
    QDBusConnection connection = bus();
    connection.connect(kService, QString(), kActiveInterface, QStringLiteral("StateChanged"), this,
                       SLOT(activeStateChanged(QDBusMessage)));
    connection.connect(kService, QString(), kDeviceInterface, QStringLiteral("StateChanged"), this,
                       SLOT(deviceStateChanged(QDBusMessage)));
    struct Disconnect {
        QDBusConnection connection;
        NetworkManagerDialUp* self;
        ~Disconnect()
        {
            connection.disconnect(kService, QString(), kActiveInterface, QStringLiteral("StateChanged"), self,
                                  SLOT(activeStateChanged(QDBusMessage)));
            connection.disconnect(kService, QString(), kDeviceInterface, QStringLiteral("StateChanged"), self,
                                  SLOT(deviceStateChanged(QDBusMessage)));
        }
    } disconnect{connection, this};

    std::uint32_t code = kSuccess;
    std::optional<Profile> profile = findProfile(entryName, dial, code);
    if (!profile)
        return code;
    const Kind& kind = *profile->kind;
    const QString setting = QLatin1String(kind.setting);

    if (kind.userName && !userName.isEmpty()
        && profile->settings.value(setting).value(QStringLiteral("username")).toString() != userName) {
        // In NetworkManager's memory only: the profile on disk keeps its own.
        Settings changed = profile->settings;
        changed[setting].insert(QStringLiteral("username"), userName);
        QDBusMessage update = call(profile->path, kProfileInterface, QStringLiteral("UpdateUnsaved"));
        update << QVariant::fromValue(changed);
        const QDBusMessage reply = callAndWait(update, remainingMs(dial));
        if (failed(reply)) {
            warn(QStringLiteral("无法拨号“%1”：NetworkManager 不接受这次的用户名：%2").arg(entryName, errorText(reply)));
            return errorCode(reply, kDeviceError);
        }
    }
    if (kind.userName
        && profile->settings.value(setting).value(QStringLiteral("password-flags"), 0u).toUInt() == 0)
        warn(QStringLiteral("连接“%1”的密码由 NetworkManager 保存（%2.password-flags 为 0）：它有保存的密码时会用那个，"
                            "而不向本程序要这次输入的密码")
                 .arg(entryName, setting));

    // The secret agent, for this dial only.
    auto* agent = new SecretAgent(dial.networkManager, profile->path, kind, std::move(password));
    std::unique_ptr<SecretAgent> agentOwner(agent);
    if (!connection.registerVirtualObject(kAgentPath, agent)) {
        warn(QStringLiteral("无法拨号“%1”：不能在系统总线上提供密钥代理（%2 已被占用）").arg(entryName, kAgentPath));
        return kServiceNotRunning;
    }
    dial.agent = agent;
    struct Unregister {
        QDBusConnection connection;
        bool registered = false;
        ~Unregister()
        {
            if (registered)
                connection.send(call(kAgentManagerPath, kAgentManagerInterface, QStringLiteral("Unregister")));
            connection.unregisterObject(kAgentPath);
        }
    } unregister{connection};
    QDBusMessage registration = call(kAgentManagerPath, kAgentManagerInterface, QStringLiteral("Register"));
    registration << QStringLiteral("ombrel.dialup.pid%1").arg(::getpid());
    const QDBusMessage registered = callAndWait(registration, remainingMs(dial));
    if (failed(registered)) {
        warn(QStringLiteral("无法拨号“%1”：NetworkManager 不接受本程序的密钥代理：%2").arg(entryName, errorText(registered)));
        return errorCode(registered, kServiceNotRunning);
    }
    unregister.registered = true;

    QDBusMessage activate = call(kManagerPath, kManagerInterface, QStringLiteral("ActivateConnection"));
    activate << QVariant::fromValue(QDBusObjectPath(profile->path)) << QVariant::fromValue(QDBusObjectPath("/"))
             << QVariant::fromValue(QDBusObjectPath("/"));
    const QDBusMessage activated = callAndWait(activate, remainingMs(dial));
    if (failed(activated)) {
        warn(QStringLiteral("无法拨号“%1”：NetworkManager 不能启用这个连接：%2").arg(entryName, errorText(activated)));
        return errorCode(activated, kDeviceError);
    }
    const QString activePath = activated.arguments().value(0).value<QDBusObjectPath>().path();
    if (activePath.isEmpty() || activePath == QLatin1String("/")) {
        warn(QStringLiteral("无法拨号“%1”：NetworkManager 没有给出活动连接").arg(entryName));
        return kDeviceError;
    }
    handle = handleFor(activePath);
    code = waitForOutcome(dial, activePath);
    if (code != kSuccess && code != kTimeout)
        warn(QStringLiteral("拨号“%1”失败，代码 %2").arg(entryName).arg(code));
    return code;
}

std::uint32_t NetworkManagerDialUp::waitForOutcome(Dial& dial, const QString& activePath)
{
    dial.activePath = activePath;
    if (!dial.ended()) {
        QDBusMessage getAll = call(activePath, kPropertiesInterface, QStringLiteral("GetAll"));
        getAll << kActiveInterface;
        const QDBusMessage reply = callAndWait(getAll, remainingMs(dial));
        if (!failed(reply)) {
            const QVariantMap properties = variantMap(reply.arguments().value(0));
            dial.devices = objectPaths(properties.value(QStringLiteral("Devices")));
            const std::uint32_t state = properties.value(QStringLiteral("State")).toUInt();
            // A change signalled meanwhile is newer than what was read.
            if (state >= kActivated && !dial.activeStates.contains(activePath))
                dial.activeStates.insert(activePath, {state, 0});
        } else if (!dial.ended()) {
            // Gone before it could be read: it ended, for a reason not seen.
            dial.activeStates.insert(activePath, {kDeactivated, 0});
        }
    }
    if (!dial.ended()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(remainingMs(dial));
        dial.loop = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        dial.loop = nullptr;
    }
    if (dial.networkManagerGone) {
        warn(QStringLiteral("拨号时 NetworkManager 退出了"));
        return kServiceNotRunning;
    }
    const auto state = dial.state();
    if (!state || state->first < kActivated) {
        warn(QStringLiteral("拨号超时：%1 秒内连接没有建立").arg(timeout_.count() / 1000.0));
        return kTimeout;
    }
    if (state->first == kActivated)
        return kSuccess;
    return failureCode(dial, state->second);
}

std::uint32_t NetworkManagerDialUp::failureCode(const Dial& dial, std::uint32_t activeReason) const
{
    // NMActiveConnectionStateReason
    switch (activeReason) {
    case 2:  // USER_DISCONNECTED
        return kUserDisconnection;
    case 9:   // NO_SECRETS
    case 10:  // LOGIN_FAILED
        return kAuthenticationFailure;
    }
    if (dial.agent && dial.agent->refused())
        return kAuthenticationFailure;
    switch (activeReason) {
    case 5:  // IP_CONFIG_INVALID
        return kNoProtocols;
    case 6:  // CONNECT_TIMEOUT
    case 7:  // SERVICE_START_TIMEOUT
        return kNoAnswer;
    case 11:  // CONNECTION_REMOVED
        return kNoSuchEntry;
    }
    // The device's own reason tells more than "the device disconnected". A
    // device of this connection; else the one device that failed meanwhile.
    std::optional<std::uint32_t> deviceReason;
    for (const QString& device : dial.devices)
        if (dial.deviceFailures.contains(device))
            deviceReason = dial.deviceFailures.value(device);
    if (!deviceReason && dial.deviceFailures.size() == 1)
        deviceReason = *dial.deviceFailures.constBegin();
    if (deviceReason) {
        if (const std::uint32_t code = deviceFailureCode(*deviceReason))
            return code;
    }
    // DEVICE_DISCONNECTED, SERVICE_STOPPED, SERVICE_START_FAILED,
    // DEPENDENCY_FAILED, DEVICE_REALIZE_FAILED, DEVICE_REMOVED, or none given
    return kDeviceError;
}

void NetworkManagerDialUp::activeStateChanged(const QDBusMessage& message)
{
    if (!dial_ || message.service() != dial_->networkManager)
        return;
    const QList<QVariant> arguments = message.arguments();
    const std::uint32_t state = arguments.value(0).toUInt();
    const std::uint32_t reason = arguments.value(1).toUInt();
    auto& seen = dial_->activeStates[message.path()];
    // DEACTIVATED may come with no reason after DEACTIVATING gave one.
    if (!(state == kDeactivated && seen.first == kDeactivating && reason == 0))
        seen.second = reason;
    seen.first = state;
    if (dial_->loop && dial_->ended())
        dial_->loop->quit();
}

void NetworkManagerDialUp::deviceStateChanged(const QDBusMessage& message)
{
    if (!dial_ || message.service() != dial_->networkManager)
        return;
    const QList<QVariant> arguments = message.arguments();
    if (arguments.value(0).toUInt() == kDeviceFailed)
        dial_->deviceFailures.insert(message.path(), arguments.value(2).toUInt());
}

std::uint32_t NetworkManagerDialUp::hangUp(std::uint32_t handle)
{
    const auto found = handles_.find(handle);
    if (found == handles_.end())
        return kInvalidHandle;
    QDBusMessage deactivate = call(kManagerPath, kManagerInterface, QStringLiteral("DeactivateConnection"));
    deactivate << QVariant::fromValue(QDBusObjectPath(found->second));
    const QDBusMessage reply = callBlocking(deactivate);
    if (!failed(reply)) {
        handles_.erase(found);
        return kSuccess;
    }
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.NetworkManager.ConnectionNotActive")
        || name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject")) {
        handles_.erase(found);  // it is down already
        return kSuccess;
    }
    warn(QStringLiteral("无法挂断连接 %1：%2").arg(found->second, errorText(reply)));
    return errorCode(reply, kDeviceError);
}

std::uint32_t NetworkManagerDialUp::enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                                    std::uint32_t& count)
{
    count = 0;
    if (recordSizeOf(buffer) != connectionRecord::kSize)
        return kInvalidSize;
    if (!bus().isConnected())
        return kServiceNotRunning;
    const QDBusMessage list = callBlocking(getProperty(kManagerPath, kManagerInterface, "ActiveConnections"));
    if (failed(list)) {
        if (errorCode(list, kServiceNotRunning) != kServiceNotRunning)
            warn(QStringLiteral("读不到 NetworkManager 的活动连接：%1").arg(errorText(list)));
        return kServiceNotRunning;
    }
    struct Found {
        QString path;
        QString id;
    };
    std::vector<Found> found;
    for (const QString& path : objectPaths(list.arguments().value(0))) {
        QDBusMessage getAll = call(path, kPropertiesInterface, QStringLiteral("GetAll"));
        getAll << kActiveInterface;
        const QDBusMessage reply = callBlocking(getAll);
        if (failed(reply))
            continue;  // ended meanwhile
        const QVariantMap properties = variantMap(reply.arguments().value(0));
        const std::uint32_t state = properties.value(QStringLiteral("State")).toUInt();
        // Those being dialled count, as the Windows service counts them;
        // those going down do not.
        if (kindOf(properties.value(QStringLiteral("Type")).toString())
            && (state == kActivating || state == kActivated))
            found.push_back({path, properties.value(QStringLiteral("Id")).toString()});
    }
    // Handles of connections that are gone are let go; the others stay as
    // they were given.
    for (auto it = handles_.begin(); it != handles_.end();) {
        const bool active = std::any_of(found.begin(), found.end(), [&](const Found& f) { return f.path == it->second; });
        if (!active && (!dial_ || it->second != dial_->activePath))
            it = handles_.erase(it);
        else
            ++it;
    }
    const std::size_t capacity = std::min<std::size_t>(byteCount, buffer.size()) / connectionRecord::kSize;
    count = std::uint32_t(found.size());
    byteCount = std::uint32_t(found.size() * connectionRecord::kSize);
    if (found.size() > capacity)
        return kBufferTooSmall;
    for (std::size_t i = 0; i < found.size(); ++i)
        writeConnection(buffer, i, handleFor(found[i].path), codePage_.encode(toStd(found[i].id)));
    return kSuccess;
}
