#include "FakeSession.h"

#include "platform/linux/GioShell.h"
#include "platform/linux/LinuxSystemStatus.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(SystemStatusTest, RescueAndEmergencyBootsCountAsSafeMode)
{
    EXPECT_EQ(bootModeFrom("BOOT_IMAGE=/vmlinuz root=/dev/sda1 ro quiet\n", false), 0);
    EXPECT_EQ(bootModeFrom("root=/dev/sda1 systemd.unit=rescue.target\n", false), 1);
    EXPECT_EQ(bootModeFrom("root=/dev/sda1 systemd.unit=emergency.target", false), 1);
    EXPECT_EQ(bootModeFrom("root=/dev/sda1 single", false), 1);
    EXPECT_EQ(bootModeFrom("root=/dev/sda1 ro", true), 1);
    EXPECT_EQ(bootModeFrom("root=/dev/sda1 console=ttyS1 systemd.unit=graphical.target", false), 0);
}

TEST(SystemStatusTest, TheAddressIsTheDefaultRoutesAndNeverAVirtualBridges)
{
    const QByteArray routes
        = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
          "docker0\t00000000\t010011AC\t0003\t0\t0\t50\t00000000\t0\t0\t0\n"
          "wlp2s0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
          "enp3s0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
          "enp3s0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
    EXPECT_EQ(defaultRouteInterface(routes), "docker0");  // the lowest metric
    const QList<InterfaceAddress> addresses{
        {"docker0", "172.17.0.1"}, {"virbr0", "192.168.122.1"}, {"enp3s0", "192.168.1.23"}, {"wlp2s0", "192.168.1.40"}};
    // A default route through a bridge does not count: the first ordinary interface does.
    EXPECT_EQ(chooseLocalAddress("docker0", addresses), "192.168.1.23");
    EXPECT_EQ(chooseLocalAddress("wlp2s0", addresses), "192.168.1.40");
    EXPECT_EQ(chooseLocalAddress("", {{"veth1", "10.0.0.2"}, {"lo", "127.0.0.1"}}), "");
    EXPECT_EQ(defaultRouteInterface("Iface\tDestination\n"), "");
}

TEST(SystemStatusTest, UpTimeComesFromTheBootClock)
{
    QFile uptime(QStringLiteral("/proc/uptime"));
    ASSERT_TRUE(uptime.open(QIODevice::ReadOnly));
    const double seconds = uptime.readAll().split(' ').first().toDouble();
    const std::optional<std::uint64_t> ms = LinuxSystemStatus().millisecondsSinceBoot();
    ASSERT_TRUE(ms.has_value());
    EXPECT_NEAR(double(*ms) / 1000, seconds, 2.0);
}

TEST(SystemStatusTest, AWebAddressReachesTheBrowserExactlyAsBuilt)
{
    GioShell shell;
    const QString url = QStringLiteral(
        "http://zhidao.baidu.com/q?word= 中文 a&b#c%20 $HOME `x`&fr=search&ct=17&pn=0&tn=ikaslist&rn=30");
    const QStringList record = fake::record([&] { return shell.openUrl(toStd(url)); });
    ASSERT_EQ(record.size(), 3);
    EXPECT_EQ(record[2], url);
}
