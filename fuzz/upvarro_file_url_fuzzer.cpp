// From a list's file name (GBK bytes in soft_update.xml) to the address the file is fetched
// from: the address is a plain web address, and decoding its path gives back the GBK name
// with "/" between folders (or, for a server of UTF-8 names, the UTF-8 name). A GBK trail
// byte 0x5C is part of its character, never a folder.
//   input: the name's bytes; a line feed, then the folder address, when it holds one
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/gbk.h"
#include "upvarro/core/folders.h"
#include "upvarro/core/settings.h"
#include "upvarro/core/transfer.h"
#include "upvarro/core/update_list.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The path of the address as bytes; every byte that would end or change a path is encoded.
std::string decodePath(const std::string& path) {
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        check(c > 0x20 && c < 0x7F && c != '#' && c != '?' && c != '"' && c != '\\');
        if (c != '%') {
            out += static_cast<char>(c);
            continue;
        }
        check(i + 2 < path.size());
        const int high = hexValue(path[i + 1]);
        const int low = hexValue(path[i + 2]);
        check(high >= 0 && low >= 0);
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

void checkAddress(const std::string& folder, const std::string& name, const std::string& gbk) {
    const std::string url = upvarro::fileUrl(folder, name);
    check(url.compare(0, folder.size() + 1, folder + "/") == 0);
    check(decodePath(url.substr(folder.size() + 1)) == gbk);
    if (upvarro::isWebUrl(folder))
        check(upvarro::isWebUrl(url));
}

// A server of UTF-8 names: only unreserved characters and "/" go as they are, and the path
// decodes to the name's own bytes.
void checkUtf8Address(const std::string& folder, const std::string& name) {
    const std::string url = upvarro::fileUrl(folder, name, upvarro::NameSpelling::Utf8);
    check(url.compare(0, folder.size() + 1, folder + "/") == 0);
    const std::string path = url.substr(folder.size() + 1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        check((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == '%');
    }
    check(decodePath(path) == name);
    if (upvarro::isWebUrl(folder))
        check(upvarro::isWebUrl(url));
}

std::string attribute(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The name as the list step keeps it, in GBK: cut to its field, ASCII "\" turned into "/".
std::string keptGbk(const std::string& gbk) {
    std::string out = common::cutGbk(gbk, upvarro::kNameLimit);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < out.size())
            ++i;
        else if (c == '\\')
            out[i] = '/';
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024)
        return 0;
    std::string name(reinterpret_cast<const char*>(data), size);
    std::string folder = "http://update.example/soft";
    const std::size_t cut = name.find('\n');
    if (cut != std::string::npos) {
        folder = name.substr(cut + 1);
        name.resize(cut);
    }

    // The address step alone, for any UTF-8 name.
    checkAddress(folder, name, common::utf8ToGbk(name));
    checkUtf8Address(folder, name);

    // The whole way from the list.
    static const upvarro::Folders folders =
        upvarro::Folders::fromExecutable("/nonexistent/tool/update/upvarro");
    const std::string document = "<system/><files><file name=\"" + attribute(name) +
                                 "\" checksum=\"0123456789abcdef0123456789abcdef\" DownUrl=\"" +
                                 attribute(folder) + "\" size=\"1\"/></files>";
    upvarro::Settings settings;
    const auto list = upvarro::parseUpdateList(document, folders, settings);
    if (!list)
        return 0;
    check(list->entries.size() == 1);
    const upvarro::UpdateEntry& entry = *list->entries[0];
    const std::string gbk = keptGbk(name);
    if (common::gbkToUtf8Strict(gbk))
        checkAddress(entry.downUrl, entry.name, gbk);
    return 0;
}
