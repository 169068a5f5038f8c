#pragma once
// The usage report the toolbox sends once per start: the software number, the first network
// adapter's hardware address and a check value over both, as one HTTP GET.

#include <array>
#include <atomic>
#include <optional>
#include <string>

namespace kalvix::report {

inline constexpr const char* kSoftwareId = "138";
inline constexpr const char* kReportSalt = "vtnz.60418.org*&@!~";
inline constexpr const char* kReportPath =
    "/tools/game_box/pts/web/game_box.php?SoftwareID=138&macAdd=";

using HardwareAddress = std::array<unsigned char, 6>;

// "%02X-%02X-%02X-%02X-%02X-%02X", bytes in order.
std::string formatAdapterAddress(const HardwareAddress& address);
// The first adapter that is not a loopback and has a 6-byte hardware address, in the order
// the system lists them; nullopt when the list cannot be read or has none.
std::optional<HardwareAddress> firstAdapterAddress();
// The formatted address of the first adapter, empty when there is none.
std::string adapterAddressText();

// MD5 text of "138" + address + salt.
std::string checkValue(const std::string& adapterAddress);
// base + the report path + address + "&chk=" + check value; nothing is escaped, the address
// holds only hex digits and dashes.
std::string reportAddress(const std::string& base, const std::string& adapterAddress);

// libcurl's usual failures, as the error box names them.
enum class ReportFailure { HostNotFound, Refused, TimedOut, Other };
ReportFailure failureOf(int curlCode);
// The Chinese text of the error box.
const char* failureText(ReportFailure failure);

struct ReportTimeouts {
    long connectSeconds = 5;
    long totalSeconds = 10;
};

struct ReportResult {
    bool ok = true;     // the server answered (whatever its status) or nothing was to be sent
    bool sent = false;  // a request went out
    std::string error;  // why it failed, in Chinese
};

// One GET of the address; the answer is read and dropped. The timeouts keep a dead network
// from holding the caller; abort, when given and set, stops the request early. An empty
// address sends nothing and succeeds.
ReportResult sendReport(const std::string& address, ReportTimeouts timeouts = {},
                        const std::atomic<bool>* abort = nullptr);

}  // namespace kalvix::report
