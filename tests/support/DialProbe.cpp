// Runs NetworkManagerDialUp, on this process's system bus, through the
// operations named by the arguments, in order, and prints one line for each:
//   dial ENTRY USER   "dial CODE HANDLE TICKS"; the password is the first line
//                     of the standard input; TICKS counts the turns of a 20 ms
//                     timer while the dial ran, which only an event loop
//                     running meanwhile can give
//   count             "count CODE N" and " HANDLE=NAME" for each connection
//   hangup-all        "hangup-all CODE" and " HANDLE:CODE" for each connection
//   hangup HANDLE     "hangup CODE"
//   hangup-dialed     "hangup CODE" for the handle of the last dial
// OMBREL_DIAL_TIMEOUT_MS sets the dial's time-out. Exit status 2 with
// "broken: ..." for a misuse.
#include "core/dialup/RasRecords.h"
#include "core/services/CodePage.h"
#include "platform/CoreServices.h"
#include "platform/linux/NetworkManagerDialUp.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int broken(const char* what)
{
    std::printf("broken: %s\n", what);
    std::fflush(stdout);
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const CoreServices core = makeCoreServices();
    const CodePage& codePage = *core.codePage;
    std::chrono::milliseconds timeout = NetworkManagerDialUp::kDefaultTimeout;
    if (const char* text = std::getenv("OMBREL_DIAL_TIMEOUT_MS"))
        timeout = std::chrono::milliseconds(std::atol(text));
    NetworkManagerDialUp service(codePage, timeout);

    std::uint32_t dialed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string op = argv[i];
        if (op == "dial" && i + 2 < argc) {
            DialParams params;
            params.entryName = argv[++i];
            params.userName = argv[++i];
            std::getline(std::cin, params.password);
            const std::optional<DialRecord> record = packDialRecord(params, codePage);
            std::fill(params.password.begin(), params.password.end(), '\0');
            if (!record)
                return broken("the dial's texts do not fit the record");
            int ticks = 0;
            QTimer ticker;
            QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
            ticker.start(20);
            const std::uint32_t code = service.dial(*record, dialed);
            ticker.stop();
            std::printf("dial %u %u %d\n", code, dialed, ticks);
        } else if (op == "count" || op == "hangup-all") {
            std::vector<std::uint8_t> buffer = makeConnectionBuffer();
            std::uint32_t byteCount = recordSizeOf(buffer) * std::uint32_t(connectionRecord::kBufferRecords);
            std::uint32_t count = 0;
            const std::uint32_t code = service.enumConnections(buffer, byteCount, count);
            std::string line = op + " " + std::to_string(code);
            if (op == "count")
                line += " " + std::to_string(count);
            for (std::uint32_t n = 0; n < count && n < connectionRecord::kBufferRecords; ++n) {
                const std::uint32_t handle = connectionHandle(buffer, n);
                if (op == "count") {
                    const char* name = reinterpret_cast<const char*>(buffer.data() + n * connectionRecord::kSize
                                                                     + connectionRecord::kEntryNameOffset);
                    line += " " + std::to_string(handle) + "=" + codePage.decode(name);
                } else {
                    line += " " + std::to_string(handle) + ":" + std::to_string(service.hangUp(handle));
                }
            }
            std::printf("%s\n", line.c_str());
        } else if (op == "hangup" && i + 1 < argc) {
            std::printf("hangup %u\n", service.hangUp(std::uint32_t(std::strtoul(argv[++i], nullptr, 10))));
        } else if (op == "hangup-dialed") {
            std::printf("hangup %u\n", service.hangUp(dialed));
        } else {
            return broken("usage: ombrel_dial_probe [dial ENTRY USER | count | hangup-all | hangup HANDLE | "
                          "hangup-dialed]...");
        }
        std::fflush(stdout);
    }
    return 0;
}
