#include "kalvix/core/guides/guide_file.h"

#include <fstream>
#include <iterator>

#include "common/gbk.h"
#include "common/profile_file.h"
#include "common/program_folder.h"

namespace kalvix {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos;) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

}  // namespace

GuideFile::GuideFile() : path_(common::programFolder() + "/" + kFileName) {}

std::string guideFileText(std::string_view gbk) {
    if (auto whole = common::gbkToUtf8Strict(gbk))
        return *whole;
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        std::size_t end = gbk.find('\n', pos);
        if (end == std::string_view::npos)
            end = gbk.size();
        out += common::gbkToUtf8(gbk.substr(pos, end - pos));
        if (end < gbk.size())
            out += '\n';
        pos = end + 1;
    }
    return out;
}

std::string GuideFile::guide(std::string_view section, std::string_view key) const {
    return guideIn(readAll(path_), section, key);
}

std::string GuideFile::guideIn(std::string_view fileBytes, std::string_view section,
                               std::string_view key) {
    // Converted before parsing: in UTF-8 no byte of a Chinese character can pass for '|', ']'
    // or an ASCII letter, as the second byte of a GBK character can.
    common::ProfileFile profile;
    profile.parse(guideFileText(fileBytes));
    std::string text = profile.getString(section, key, "");
    // Only a value close to the room can exceed it: GBK never takes more bytes than UTF-8.
    if (text.size() >= kValueRoom)
        text = common::cutUtf8ToGbkBytes(text, kValueRoom - 1);
    replaceAll(text, "||", "\r\n");
    return text;
}

}  // namespace kalvix
