#include "upvarro/publish/release_list.h"

#include <algorithm>

#include "common/gbk.h"
#include "upvarro/core/settings.h"
#include "upvarro/core/transfer.h"
#include "upvarro/core/update_entry.h"
#include "upvarro/core/update_list.h"

namespace upvarro::publish {
namespace {

bool hasControl(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// An attribute value: escaped, then GBK. Control characters are refused, not escaped: the
// updater keeps none of them in a name and the log would carry them.
std::optional<std::string> attribute(std::string_view utf8) {
    if (hasControl(utf8))
        return std::nullopt;
    std::string escaped;
    for (char c : utf8) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return common::utf8ToGbkStrict(escaped);
}

// Whether a setting can be written as given: the updater would cut a longer one.
bool settingFits(std::string_view what, std::string_view value, std::size_t limit,
                 std::string& error) {
    if (hasControl(value)) {
        error = std::string(what) + " holds a control character";
        return false;
    }
    auto gbk = common::utf8ToGbkStrict(value);
    if (!gbk) {
        error = std::string(what) + " '" + std::string(value) + "' has characters GBK lacks";
        return false;
    }
    if (gbk->size() > limit) {
        error = std::string(what) + " '" + std::string(value) + "' is longer than the " +
                std::to_string(limit) + " GBK bytes the updater keeps";
        return false;
    }
    return true;
}

}  // namespace

std::string nameRefusal(std::string_view name) {
    if (hasControl(name))
        return "the name holds a control character";
    if (name.find('\\') != std::string_view::npos)
        return "the name holds \"\\\", which the list uses between folders";
    if (!isSafeRelativeName(std::string(name)))
        return "the updater refuses this name";
    // Only a rules line can give these; they would name a folder, or one file twice.
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = std::min(name.find('/', start), name.size());
        std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == ".")
            return "the name has an empty or \".\" folder part";
        start = end + 1;
    }
    auto gbk = common::utf8ToGbkStrict(name);
    // The updater reads the GBK back: a character GBK shares with another would change the name.
    if (!gbk || common::gbkToUtf8(*gbk) != name)
        return "the name is not UTF-8 text that GBK can hold";
    if (gbk->size() > kNameLimit)
        return "the name takes " + std::to_string(gbk->size()) + " GBK bytes; the updater keeps " +
               std::to_string(kNameLimit);
    return {};
}

std::optional<std::string> checkedDownUrl(std::string_view url, std::string& error) {
    std::string u(url);
    while (!u.empty() && u.back() == '/')
        u.pop_back();
    if (hasControl(u) || u.find_first_of(" \"") != std::string::npos) {
        error = "--url '" + std::string(url) + "' holds a blank, a quote or a control character";
        return std::nullopt;
    }
    if (!isWebUrl(u) || u.find("://") + 3 >= u.size()) {
        error = "--url '" + std::string(url) + "' is not an http:// or https:// address";
        return std::nullopt;
    }
    if (u.size() > kUrlLimit) {
        error = "--url '" + std::string(url) + "' is longer than the " + std::to_string(kUrlLimit) +
                " bytes the updater keeps";
        return std::nullopt;
    }
    return u;
}

bool orderEntries(std::vector<ReleaseEntry>& entries, std::string& error) {
    std::vector<std::string> restarts;
    for (const ReleaseEntry& e : entries)
        if (e.action == FileAction::Restart)
            restarts.push_back(e.name);
    if (restarts.size() > 1) {
        std::sort(restarts.begin(), restarts.end());
        error = restarts[0] + " and " + restarts[1] +
                " both restart: the updater restarts only the first entry of the list";
        return false;
    }
    std::sort(entries.begin(), entries.end(), [](const ReleaseEntry& a, const ReleaseEntry& b) {
        bool ar = a.action == FileAction::Restart;
        bool br = b.action == FileAction::Restart;
        if (ar != br)
            return ar;
        return a.name < b.name;
    });
    return true;
}

std::optional<std::string> listText(const ListSettings& settings,
                                    const std::vector<ReleaseEntry>& entries, std::string& error) {
    if (settings.version.empty()) {
        error = "--version is empty";
        return std::nullopt;
    }
    if (!settingFits("--version", settings.version, kVersionLimit, error))
        return std::nullopt;
    // The wizard shows "Title v1.0.005" cut to 63 bytes: a longer title would lose its end.
    const std::size_t titleRoom = kShownTitleLimit - 1 - std::string_view(kTitleSuffix).size();
    if (!settings.title.empty() && !settingFits("--title", settings.title, titleRoom, error))
        return std::nullopt;
    auto url = attribute(settings.downUrl);
    if (!url) {
        error = "--url '" + settings.downUrl + "' cannot be written to the list";
        return std::nullopt;
    }
    if (entries.empty()) {
        error = "no files to publish (the updater refuses a list without files)";
        return std::nullopt;
    }

    std::string out = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n";
    out += "<system " + std::string(kPublishTimeAttribute) + "=\"" +
           std::to_string(settings.publishTime) + "\"";
    // Static servers keep the release's files under their UTF-8 names; the updater asks for
    // them so. Inside the signed bytes, like everything the updater trusts of the list.
    out += " " + std::string(kNameEncodingAttribute) + "=\"" + kUtf8Names + "\"";
    // Signed with the list, so an updater that checks signatures can check the change log too.
    if (!settings.changelogSha256.empty())
        out +=
            " " + std::string(kChangelogSha256Attribute) + "=\"" + settings.changelogSha256 + "\"";
    out += ">\n";
    out += "    <item name=\"Version\" value=\"" + *attribute(settings.version) + "\"/>\n";
    if (!settings.title.empty())
        out += "    <item name=\"Title\" value=\"" + *attribute(settings.title) + "\"/>\n";
    if (settings.force)
        out += "    <item name=\"ForceUpdate\" value=\"1\"/>\n";
    out += "</system>\n<files>\n";
    for (const ReleaseEntry& e : entries) {
        if (std::string why = nameRefusal(e.name); !why.empty()) {
            error = e.name + ": " + why;
            return std::nullopt;
        }
        std::string listName = e.name;
        std::replace(listName.begin(), listName.end(), '/', '\\');
        auto name = attribute(listName);
        out += "    <file name=\"" + *name + "\" checksum=\"" + e.md5 + "\" DownUrl=\"" + *url +
               "\" size=\"" + std::to_string(e.size) + "\"";
        std::string_view action = actionAttribute(e.action);
        if (!action.empty())
            out += " action=\"" + std::string(action) + "\"";
        if (!e.sha256.empty())
            out += " " + std::string(kSha256Attribute) + "=\"" + e.sha256 + "\"";
        out += "/>\n";
    }
    out += "</files>\n";
    return out;
}

}  // namespace upvarro::publish
