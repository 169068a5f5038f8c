#include "kalvix/core/simulator/build_file.h"

#include <cstdio>

#include "common/atomic_file.h"
#include "common/base64.h"

namespace kalvix {
namespace {

std::string withPath(const char* format, const std::string& path) {
    const int size = std::snprintf(nullptr, 0, format, path.c_str());
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, path.c_str());
    out.resize(static_cast<std::size_t>(size));
    return out;
}

}  // namespace

std::string encodeBuildText(const BuildRecord& record) {
    const auto& bytes = record.bytes();
    std::string out;
    out.reserve(kBuildTextLength);
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t n = std::uint32_t{bytes[i]} << 16 | std::uint32_t{bytes[i + 1]} << 8 |
                                std::uint32_t{bytes[i + 2]};
        out += common::kBase64Alphabet[(n >> 18) & 63];
        out += common::kBase64Alphabet[(n >> 12) & 63];
        out += common::kBase64Alphabet[(n >> 6) & 63];
        out += common::kBase64Alphabet[n & 63];
    }
    return out;
}

DecodeResult decodeBuildText(std::string_view text, BuildRecord& record) {
    DecodeResult result;
    auto& bytes = record.bytes();
    std::size_t i = 0;
    while (result.bytes < bytes.size()) {
        if (i >= text.size() || (text[i] != '=' && common::base64Sextet(text[i]) < 0))
            break;
        if (text.size() - i < 4) {
            result.failed = true;
            break;
        }
        const std::string_view group = text.substr(i, 4);
        int pads = 0;
        bool misplaced = false;
        for (char c : group) {
            if (c == '=')
                ++pads;
            else if (pads > 0)
                misplaced = true;
        }
        if (misplaced || pads >= 3) {
            result.failed = true;
            break;
        }
        // "=" counts 0 and a character outside the alphabet -1, whose bits then spill over
        // the bytes above it.
        std::uint32_t n = 0;
        for (int k = 0; k < 4; ++k) {
            const std::int32_t v = group[k] == '=' ? 0 : common::base64Sextet(group[k]);
            n |= static_cast<std::uint32_t>(v) << (6 * (3 - k));
        }
        const std::uint8_t out[3] = {static_cast<std::uint8_t>((n >> 16) & 0xFF),
                                     static_cast<std::uint8_t>((n >> 8) & 0xFF),
                                     static_cast<std::uint8_t>(n & 0xFF)};
        const int count = 3 - pads;
        for (int k = 0; k < count && result.bytes < bytes.size(); ++k)
            bytes[result.bytes++] = out[k];
        i += 4;
    }
    return result;
}

std::string_view firstBuildLine(std::string_view contents) {
    std::size_t n = 0;
    while (n < contents.size() && n < kBuildLineLimit) {
        if (contents[n++] == '\n')
            break;
    }
    return contents.substr(0, n);
}

BuildFileResult saveBuildFile(const std::string& path, const BuildRecord& record) {
    BuildFileResult result;
    // Whole or not at all: a full disk or a crash keeps the build that was there.
    switch (common::writeFileAtomically(path, encodeBuildText(record))) {
        case common::AtomicWrite::Done:
            break;
        case common::AtomicWrite::CreateFailed:
            result.status = BuildFileStatus::OpenFailed;
            result.message = withPath("Open %s failed!\n", path);
            break;
        case common::AtomicWrite::WriteFailed:
            result.status = BuildFileStatus::WriteFailed;
            result.message = withPath("Write %s failed!\n", path);
            break;
    }
    return result;
}

BuildFileResult loadBuildFile(const std::string& path, BuildRecord& record) {
    BuildFileResult result;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        result.status = BuildFileStatus::OpenFailed;
        result.message = withPath("Open %s failed!\n", path);
        return result;
    }
    std::string line;
    line.reserve(kBuildLineLimit);
    int c = 0;
    while (line.size() < kBuildLineLimit && (c = std::fgetc(f)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    std::fclose(f);
    if (line.empty()) {
        result.status = BuildFileStatus::Empty;
        return result;
    }
    result.decode = decodeBuildText(line, record);
    return result;
}

}  // namespace kalvix
