// soft_update.xml comes from the network.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "upvarro/core/update_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const upvarro::Folders folders =
        upvarro::Folders::fromExecutable("/opt/tool/update/upvarro");
    upvarro::Settings settings;
    auto list = upvarro::parseUpdateList(
        std::string_view(reinterpret_cast<const char*>(data), size), folders, settings);
    if (list) {
        for (const auto& e : list->entries) {
            // Every accepted name stays inside the installation folder.
            if (!upvarro::isSafeRelativeName(e->name))
                __builtin_trap();
            upvarro::encodeEntry(*e);
        }
    }
    return 0;
}
