#include "upvarro/core/installation_picture.h"

#include <algorithm>

#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_list.h"

namespace upvarro {

std::optional<std::string> readInstallationPicture(const std::string& installation,
                                                   const std::string& relative,
                                                   std::string* refusal) {
    auto refuse = [&](std::string why) -> std::optional<std::string> {
        if (refusal)
            *refusal = std::move(why);
        return std::nullopt;
    };
    std::string name = relative;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!isSafeRelativeName(name) || !platform::staysInside(installation, name))
        return refuse("图片 " + name + " 不在安装目录之内，未读取");
    const std::string path = installation + "/" + name;
    platform::FileRead read = platform::readRegularFile(path, kPictureFileLimit);
    if (!read.ok())
        return refuse(platform::readRefusal(path, read));
    return std::move(read.bytes);
}

}  // namespace upvarro
