#include "upvarro/core/update_list.h"

#include <tinyxml2.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "common/ascii_text.h"
#include "common/gbk.h"
#include "common/number_text.h"
#include "common/truncation.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/transfer.h"

namespace upvarro {
namespace {

std::int32_t decimal(const char* text) {
    return common::clampToInt32(common::leadingInteger(text));
}

// Text of a GBK attribute cut to limit bytes, as UTF-8.
std::string kept(const char* gbk, std::size_t limit) {
    return common::gbkToUtf8(common::cutGbk(gbk, limit));
}

bool matches(const char* key, const std::string& name) {
    return std::strncmp(key, name.c_str(), name.size()) == 0;
}

// What this sets, copyListSettings copies. False when the value was longer than its setting
// keeps.
bool applySetting(const std::string& name, const char* value, Settings& s) {
    const std::size_t length = std::strlen(value);
    if (matches("Version", name)) {
        s.version = kept(value, kVersionLimit);
        return length <= kVersionLimit;
    }
    if (matches("Title", name)) {
        std::string title = std::string(value) + " " + kTitleSuffix;
        s.title = kept(title.c_str(), kShownTitleLimit);
        return title.size() <= kShownTitleLimit;
    }
    if (matches("ForceUpdate", name)) {
        s.forceUpdate = decimal(value) > 0 ? 1 : 0;
    } else if (matches("UpdateMaxSpin", name)) {
        s.updateMaxSpin = decimal(value);
    } else if (matches("WaterMarkPath", name)) {
        s.waterMarkPath = kept(value, kListPictureLimit);
        return length <= kListPictureLimit;
    } else if (matches("BannerPath", name)) {
        s.bannerPath = kept(value, kListPictureLimit);
        return length <= kListPictureLimit;
    }
    return true;
}

bool isHexDigest(const std::string& text, std::size_t digits) {
    if (text.size() != digits)
        return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Size must be a plain non-negative decimal number that fits the int32 field.
std::optional<std::int32_t> sizeValue(const char* text) {
    auto v = common::parseInteger(text, 0, INT32_MAX);
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::int32_t actionFlags(const char* action, bool& restart, std::int32_t& allowed,
                         std::int32_t& state) {
    allowed = 1;
    state = kStateWaiting;
    if (action == nullptr)
        return kActionDownload | kActionCopy;
    std::string a = action;
    if (a == "delete") {
        allowed = 0;
        state = kStateNotDownloaded;
        return kActionDelete;
    }
    if (a == "register")
        return kActionDownload | kActionCopy | kActionRegister;
    if (a == "restart") {
        restart = true;
        return kActionDownload | kActionCopy;
    }
    if (a == "run")
        return kActionDownload | kActionCopy | kActionRun;
    allowed = 0;
    return 0;
}

}  // namespace

void copyListSettings(const Settings& parsed, Settings& held) {
    held.version = parsed.version;
    held.title = parsed.title;
    held.forceUpdate = parsed.forceUpdate;
    held.updateMaxSpin = parsed.updateMaxSpin;
    held.waterMarkPath = parsed.waterMarkPath;
    held.bannerPath = parsed.bannerPath;
}

bool isSafeRelativeName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\')
        return false;
    if (name.size() >= 2 && name[1] == ':')
        return false;  // a drive letter
    // No file of an update set has a line end or another control character in its name; such
    // a name would also carry them into the log and the list files.
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        std::string_view segment(name.data() + start, end - start);
        if (segment == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::optional<UpdateList> parseUpdateList(std::string_view document, const Folders& folders,
                                          Settings& settings, std::string* refusal,
                                          ListTrust trust) {
    auto refuse = [refusal](std::string line) {
        // The line quotes the list: its control characters stay out of the log.
        for (char& c : line)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                c = '?';
        if (refusal)
            *refusal = std::move(line);
        return std::nullopt;
    };
    tinyxml2::XMLDocument doc;
    if (doc.Parse(document.data(), document.size()) != tinyxml2::XML_SUCCESS)
        return std::nullopt;

    Settings updated = settings;
    UpdateList list;
    if (const auto* system = doc.FirstChildElement("system")) {
        if (const char* sum = system->Attribute(kChangelogSha256Attribute))
            list.changelogSha256 = sum;
        if (const char* spelling = system->Attribute(kNameEncodingAttribute)) {
            // A server whose spelling is unknown cannot be asked for any file by name.
            if (common::equalsNoCase(spelling, kUtf8Names))
                list.spelling = NameSpelling::Utf8;
            else if (!common::equalsNoCase(spelling, "GBK"))
                return refuse(std::string("拒绝文件列表：不认识的文件名编码 ") + spelling);
        }
        if (const char* time = system->Attribute(kPublishTimeAttribute))
            list.publishTime = common::parseInteger(time, 0, INT64_MAX).value_or(-1);
        for (const auto* e = system->FirstChildElement(); e; e = e->NextSiblingElement()) {
            const char* name = e->Attribute("name");
            const char* value = e->Attribute("value");
            // Without a name or value there is nothing to set; an empty name would match
            // every key over its zero length.
            if (!name || !value || *name == '\0')
                continue;
            if (!applySetting(name, value, updated) && trust == ListTrust::Signed)
                return refuse(std::string("拒绝文件列表：签名的文件列表中设置 ") + name +
                              " 的值过长");
        }
    }

    const auto* files = doc.FirstChildElement("files");
    const auto* first = files ? files->FirstChildElement() : nullptr;
    if (!first || std::strcmp(first->Name(), "file") != 0)
        return std::nullopt;

    const bool strict = trust == ListTrust::Signed;
    for (const auto* e = first; e; e = e->NextSiblingElement()) {
        auto entry = std::make_unique<UpdateEntry>();
        for (const EntryField& f : kEntryFields) {
            if (!f.attribute)
                continue;
            const char* value = e->Attribute(f.attribute);
            if (!value) {
                if (f.required)
                    return std::nullopt;
                // What the signature vouches for must be checkable: the bytes of every file.
                if (strict && f.text == &UpdateEntry::sha256)
                    return refuse(std::string("拒绝文件列表：签名的文件列表中 ") +
                                  e->Attribute("name") + " 没有 sha256");
                continue;
            }
            if (f.coding == FieldCoding::Decimal) {
                auto number = sizeValue(value);
                if (!number)
                    return std::nullopt;
                (*entry).*f.number = *number;
                continue;
            }
            // Cut after the signature was checked, a signed text would no longer be the one
            // signed.
            if (strict && std::strlen(value) > f.limit)
                return refuse(std::string("拒绝文件列表：签名的文件列表中 ") +
                              e->Attribute("name") + " 的 " + f.attribute + " 超过 " +
                              std::to_string(f.limit) + " 字节");
            (*entry).*f.text = kept(value, f.limit);
        }
        if (const char* sum = e->Attribute(kSha256Attribute); sum && !isHexDigest(sum, kSha256Size))
            return refuse("拒绝文件列表：" + entry->name + " 的 sha256 不是 64 位十六进制数");
        // Folders are "/" here, whichever separator the list used.
        for (char& c : entry->name)
            if (c == '\\')
                c = '/';
        if (!isSafeRelativeName(entry->name))
            return refuse("拒绝文件列表：文件名 " + entry->name +
                          " 不在安装目录之内或含有控制字符");
        // A linked folder inside the installation that leads out of it climbs like "..".
        if (!platform::staysInside(folders.installation, entry->name) ||
            !platform::staysInside(folders.temporary, entry->name))
            return refuse("拒绝文件列表：" + entry->name + " 经过链接的目录通往安装目录之外");
        entry->spelling = list.spelling;
        if (!isWebUrl(entry->downUrl))
            return refuse("拒绝文件列表：" + entry->name + " 的下载地址 " + entry->downUrl +
                          " 不是 http 或 https 地址");
        entry->tempPath = folders.temporary + "/" + entry->name;
        entry->localPath = folders.installation + "/" + entry->name;
        std::int32_t allowed = 0;
        std::int32_t state = 0;
        std::int32_t flags = actionFlags(e->Attribute("action"), list.restart, allowed, state);
        if (entry->name.find(".exe") != std::string::npos)
            flags |= kActionExecutable;
        entry->actionFlags = flags;
        entry->allowed = allowed;
        entry->state = state;
        list.entries.push_back(std::move(entry));
    }
    settings = updated;
    return list;
}

}  // namespace upvarro
