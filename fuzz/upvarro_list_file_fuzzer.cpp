// localList.dat and faillist.dat are files on disk that anything may have damaged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "upvarro/core/list_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& r : upvarro::parseLocalList(bytes))
        upvarro::encodeLocal(r);
    for (const auto& e : upvarro::parseFailList(bytes))
        upvarro::encodeEntry(e);
    return 0;
}
