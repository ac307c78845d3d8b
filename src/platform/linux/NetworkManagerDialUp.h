#pragma once

#include "core/services/RemoteAccess.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>

class CodePage;
class QDBusMessage;

// Dial-up over NetworkManager's D-Bus API. The phonebook is its connection
// profiles of the dial-up kinds (PPPoE, ADSL, mobile broadband, VPN), found by
// their id; the connections counted are its active connections of those
// kinds.
//
// A dial answers NetworkManager's request for the password through a secret
// agent that this object registers for the length of the dial only, and that
// gives the password typed for this dial to NetworkManager alone: the
// password is never written into a stored profile. A user name that differs
// from the profile's is put into NetworkManager's in-memory copy of it
// (UpdateUnsaved), never into the file on disk.
//
// A dial waits in a nested event loop that takes no user input, so that the
// program's windows repaint but nothing can be clicked meanwhile.
class NetworkManagerDialUp final : public QObject, public RemoteAccess {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{90000};

    // The system bus, reached on the first call, not before.
    explicit NetworkManagerDialUp(const CodePage& codePage, std::chrono::milliseconds timeout = kDefaultTimeout);
    NetworkManagerDialUp(const CodePage& codePage, QDBusConnection systemBus, std::chrono::milliseconds timeout);
    ~NetworkManagerDialUp() override;

    std::uint32_t dial(const DialRecord& record, std::uint32_t& handle) override;
    std::uint32_t hangUp(std::uint32_t handle) override;
    std::uint32_t enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                  std::uint32_t& count) override;
    std::string dialService() const override { return "网络管理服务（NetworkManager）"; }

private Q_SLOTS:
    // StateChanged of an active connection and of a device, while a dial waits.
    void activeStateChanged(const QDBusMessage& message);
    void deviceStateChanged(const QDBusMessage& message);

private:
    struct Profile;
    struct Dial;

    const QDBusConnection& bus();
    // Sends message and returns the reply or the error, running a nested
    // event loop without user input meanwhile.
    QDBusMessage callAndWait(const QDBusMessage& message, int timeoutMs);
    // Sends message and blocks until the reply or the error.
    QDBusMessage callBlocking(const QDBusMessage& message);

    std::uint32_t dialProfile(Dial& dial, const QString& entryName, const QString& userName, QString password,
                              std::uint32_t& handle);
    std::optional<Profile> findProfile(const QString& id, Dial& dial, std::uint32_t& code);
    std::uint32_t waitForOutcome(Dial& dial, const QString& activePath);
    std::uint32_t failureCode(const Dial& dial, std::uint32_t activeReason) const;
    int remainingMs(const Dial& dial) const;

    std::uint32_t handleFor(const QString& activePath);

    const CodePage& codePage_;
    std::optional<QDBusConnection> bus_;
    std::chrono::milliseconds timeout_;
    std::map<std::uint32_t, QString> handles_;  // handle: ActiveConnection object path
    std::uint32_t nextHandle_ = 1;
    Dial* dial_ = nullptr;  // the dial in progress
};
