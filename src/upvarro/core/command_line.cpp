#include "upvarro/core/command_line.h"

#include "common/gbk.h"
#include "common/number_text.h"
#include "common/truncation.h"

namespace upvarro {
namespace {

constexpr std::size_t kCommandFieldLimit = 31;

std::vector<std::string> splitPieces(const std::string& whole) {
    // Consecutive separators make no empty pieces, as a tokenizer would.
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < whole.size()) {
        std::size_t start = whole.find_first_not_of("@\n", pos);
        if (start == std::string::npos)
            break;
        std::size_t end = whole.find_first_of("@\n", start);
        pieces.push_back(whole.substr(start, end == std::string::npos ? end : end - start));
        pos = end == std::string::npos ? whole.size() : end;
    }
    return pieces;
}

std::int32_t decimal(const std::string& text) {
    return common::clampToInt32(common::leadingInteger(text));
}

}  // namespace

std::string joinArguments(const std::vector<std::string>& args) {
    std::string whole;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            whole += ' ';
        whole += args[i];
    }
    return whole;
}

CommandLine parseCommandLine(const std::string& whole) {
    CommandLine line;
    line.whole = whole;
    std::vector<std::string> pieces = splitPieces(whole);
    if (pieces.empty())
        return line;
    if (pieces[0] == "RUN_UPDATE") {
        line.mode = RunMode::RunUpdate;
        if (pieces.size() > 1)
            line.showFlag = decimal(pieces[1]);
        if (pieces.size() > 2)
            line.host = common::cutUtf8ToGbkBytes(pieces[2], kCommandFieldLimit);
        if (pieces.size() > 3)
            line.port = decimal(pieces[3]);
        if (pieces.size() > 4)
            line.listPath = common::cutUtf8ToGbkBytes(pieces[4], kCommandFieldLimit);
    } else if (pieces[0] == "COPY_FILE") {
        line.mode = RunMode::CopyFile;
        if (pieces.size() > 1)
            line.replacePath = pieces[1];
        if (pieces.size() > 2)
            line.newPath = pieces[2];
    }
    return line;
}

CommandLine parseCommandLine(const std::string& whole, const std::string& selfPath) {
    CommandLine line = parseCommandLine(whole);
    if (line.mode != RunMode::CopyFile || selfPath.empty())
        return line;
    const std::string head = "COPY_FILE@";
    const std::string tail = "@" + selfPath;
    if (whole.size() > head.size() + tail.size() && whole.compare(0, head.size(), head) == 0 &&
        whole.compare(whole.size() - tail.size(), tail.size(), tail) == 0) {
        std::string replace = whole.substr(head.size(), whole.size() - tail.size() - head.size());
        // A line feed still ends a field, as it does in the plain split.
        if (replace.find('\n') == std::string::npos) {
            line.replacePath = replace;
            line.newPath = selfPath;
        }
    }
    return line;
}

void applyCommandLine(const CommandLine& line, Settings& s) {
    if (line.mode != RunMode::RunUpdate)
        return;
    if (line.showFlag)
        s.showFromStart = *line.showFlag > 0 ? 1 : 0;
    if (line.host && s.updateHost.empty())
        s.updateHost = *line.host;
    if (line.port && s.updatePort == 0)
        s.updatePort = *line.port;
    if (line.listPath && s.updateListUrlPath.empty())
        s.updateListUrlPath = *line.listPath;
}

}  // namespace upvarro
