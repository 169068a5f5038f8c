// soft_update.xml comes from the network. Every entry accepted stays inside the installation
// and temporary folders, is fetched from a web address, keeps its texts within their fields,
// and goes into faillist.dat and back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/gbk.h"
#include "upvarro/core/transfer.h"
#include "upvarro/core/update_list.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const upvarro::Folders folders =
        upvarro::Folders::fromExecutable("/opt/tool/update/upvarro");
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    upvarro::Settings settings;
    auto list = upvarro::parseUpdateList(document, folders, settings);
    // Read strictly, as after a checked signature: never more than read plainly, never a cut
    // text, never an entry without its SHA-256.
    upvarro::Settings strictSettings;
    auto strict = upvarro::parseUpdateList(document, folders, strictSettings, nullptr,
                                           upvarro::ListTrust::Signed);
    check(!strict || list);
    if (strict) {
        check(strict->entries.size() == list->entries.size());
        for (std::size_t i = 0; i < strict->entries.size(); ++i) {
            check(strict->entries[i]->sha256.size() == upvarro::kSha256Size);
            check(strict->entries[i]->name == list->entries[i]->name);
        }
    }
    if (!list)
        return 0;
    check(!list->entries.empty());
    check(list->publishTime >= -1);
    check(common::gbkLength(settings.version) <= upvarro::kVersionLimit);
    for (const auto& e : list->entries) {
        check(upvarro::isSafeRelativeName(e->name));
        check(e->tempPath == folders.temporary + "/" + e->name);
        check(e->localPath == folders.installation + "/" + e->name);
        check(startsWith(e->tempPath, folders.temporary + "/"));
        check(upvarro::isWebUrl(e->downUrl));
        check(common::gbkLength(e->name) <= upvarro::kNameLimit);
        check(common::gbkLength(e->checksum) <= upvarro::kChecksumLimit);
        check(common::gbkLength(e->downUrl) <= upvarro::kUrlLimit);
        check(e->sha256.empty() || e->sha256.size() == upvarro::kSha256Size);
        const auto record = upvarro::encodeEntry(*e);
        check(upvarro::encodeEntry(upvarro::decodeEntry(record)) == record);
    }
    return 0;
}
