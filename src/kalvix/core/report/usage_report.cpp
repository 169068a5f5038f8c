#include "kalvix/core/report/usage_report.h"

#include <curl/curl.h>
#include <dlfcn.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <type_traits>

#include "common/md5.h"

namespace kalvix::report {
namespace {

std::size_t dropAnswer(char*, std::size_t size, std::size_t count, void*) {
    return size * count;
}

int checkAbort(void* flag, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* abort = static_cast<const std::atomic<bool>*>(flag);
    return abort && abort->load() ? 1 : 0;
}

// libcurl, opened the first time a report goes out. Linked, it and the two dozen libraries
// behind it (TLS, Kerberos, LDAP ...) were loaded at every start before the first frame,
// though a build without a report address never sends one.
struct Curl {
    CURLcode (*globalInit)(long);
    CURL* (*easyInit)();
    CURLcode (*setopt)(CURL*, CURLoption, ...);
    CURLcode (*perform)(CURL*);
    void (*cleanup)(CURL*);
    curl_slist* (*listAppend)(curl_slist*, const char*);
    void (*listFree)(curl_slist*);
};

const Curl* loadCurl() {
    static const std::optional<Curl> loaded = []() -> std::optional<Curl> {
        // Kept for the process's life: curl_global_init may run once only.
        void* library = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return std::nullopt;
        Curl c{};
        bool complete = true;
        auto bind = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(library, name));
            complete = complete && function;
        };
        bind(c.globalInit, "curl_global_init");
        bind(c.easyInit, "curl_easy_init");
        bind(c.setopt, "curl_easy_setopt");
        bind(c.perform, "curl_easy_perform");
        bind(c.cleanup, "curl_easy_cleanup");
        bind(c.listAppend, "curl_slist_append");
        bind(c.listFree, "curl_slist_free_all");
        if (!complete || c.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return std::nullopt;
        return c;
    }();
    return loaded ? &*loaded : nullptr;
}

}  // namespace

ReportFailure failureOf(int curlCode) {
    switch (curlCode) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return ReportFailure::HostNotFound;
        case CURLE_COULDNT_CONNECT:
            return ReportFailure::Refused;
        case CURLE_OPERATION_TIMEDOUT:
            return ReportFailure::TimedOut;
        default:
            return ReportFailure::Other;
    }
}

const char* failureText(ReportFailure failure) {
    // The player reads these in the error box: the platform's wording in the player's
    // language, never the network library's English.
    switch (failure) {
        case ReportFailure::HostNotFound:
            return "无法解析服务器的名称或地址";
        case ReportFailure::Refused:
            return "无法与服务器建立连接";
        case ReportFailure::TimedOut:
            return "操作超时";
        case ReportFailure::Other:
            break;
    }
    return "与服务器的连接出错";
}

std::string formatAdapterAddress(const HardwareAddress& a) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4],
                  a[5]);
    return text;
}

std::optional<HardwareAddress> firstAdapterAddress() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return std::nullopt;
    std::optional<HardwareAddress> found;
    for (ifaddrs* i = list; i && !found; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET || (i->ifa_flags & IFF_LOOPBACK))
            continue;
        sockaddr_ll link;
        std::memcpy(&link, i->ifa_addr, sizeof link);
        if (link.sll_halen != 6)
            continue;
        HardwareAddress a;
        std::memcpy(a.data(), link.sll_addr, a.size());
        found = a;
    }
    ::freeifaddrs(list);
    return found;
}

std::string adapterAddressText() {
    auto a = firstAdapterAddress();
    return a ? formatAdapterAddress(*a) : std::string();
}

std::string checkValue(const std::string& adapterAddress) {
    return common::CMD5::ofBytes(std::string(kSoftwareId) + adapterAddress + kReportSalt);
}

std::string reportAddress(const std::string& base, const std::string& adapterAddress) {
    return base + kReportPath + adapterAddress + "&chk=" + checkValue(adapterAddress);
}

ReportResult sendReport(const std::string& address, ReportTimeouts timeouts,
                        const std::atomic<bool>* abort) {
    ReportResult result;
    if (address.empty())
        return result;
    const Curl* lib = loadCurl();
    CURL* curl = lib ? lib->easyInit() : nullptr;
    if (!curl)
        return {false, false, failureText(ReportFailure::Other)};
    lib->setopt(curl, CURLOPT_URL, address.c_str());
    lib->setopt(curl, CURLOPT_USERAGENT, "Kalvix");
    lib->setopt(curl, CURLOPT_NOSIGNAL, 1L);
    lib->setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    lib->setopt(curl, CURLOPT_TIMEOUT, timeouts.totalSeconds);
    lib->setopt(curl, CURLOPT_WRITEFUNCTION, &dropAnswer);
    lib->setopt(curl, CURLOPT_NOPROGRESS, 0L);
    lib->setopt(curl, CURLOPT_XFERINFOFUNCTION, &checkAbort);
    lib->setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(abort));
    // Never served from a cache on the way.
    curl_slist* headers = lib->listAppend(nullptr, "Cache-Control: no-cache");
    lib->setopt(curl, CURLOPT_HTTPHEADER, headers);
    CURLcode code = lib->perform(curl);
    result.sent = true;
    if (code != CURLE_OK) {
        result.ok = false;
        result.error = failureText(failureOf(code));
    }
    lib->listFree(headers);
    lib->cleanup(curl);
    return result;
}

}  // namespace kalvix::report
