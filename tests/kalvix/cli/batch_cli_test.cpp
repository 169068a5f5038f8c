// kalvix-calc --batch against single calls of the same requests.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;
using Json = nlohmann::ordered_json;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(KalvixCalcBatch, EachLineIsWhatTheSingleCallPrints) {
    const std::vector<std::vector<std::string>> requests = {
        {"人物", "当前等级=60", "目标等级=80"},
        {"没有的页"},                           // unknown page
        {"任务", "徒弟等级=#99"},               // bad value
        {"人物"},                               // a fresh page: nothing of the first request
        {"修炼", "--controls", "攻击/法术=1"},  // options stay the request's own
        {"--time=1300000000", "修炼", "封印模拟"},
        {"任务", "当前等级=10", "三倍=1", "当前等级=50", "三倍=0"},  // disabled meanwhile
        {"catalogue", "materials"},
        {"--time=abc", "人物"},
    };
    std::string input;
    for (const auto& r : requests)
        input += Json(r).dump() + "\n";
    // Lines that are no request are refused on their own line too.
    input += "人物 当前等级=60\n[\"人物\", 60]\n\n";
    const auto batch = runCalc({"--batch"}, &input);
    ASSERT_EQ(batch.exitCode, 0) << batch.err;
    EXPECT_EQ(batch.err, "");
    const auto answers = lines(batch.out);
    ASSERT_EQ(answers.size(), requests.size() + 3) << batch.out;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const auto single = runCalc(requests[i]);
        const Json answer = Json::parse(answers[i]);
        if (single.exitCode == 2) {
            const std::string prefix = "kalvix-calc: ";
            ASSERT_EQ(single.err.rfind(prefix, 0), 0u) << single.err;
            const std::string error =
                single.err.substr(prefix.size(), single.err.size() - prefix.size() - 1);
            EXPECT_EQ(answer, Json({{"error", error}})) << requests[i][0];
        } else {
            ASSERT_EQ(single.exitCode, 0) << single.err;
            EXPECT_EQ(answer, Json::parse(single.out)) << requests[i][0];
        }
    }
    for (std::size_t i = requests.size(); i < answers.size(); ++i)
        EXPECT_TRUE(Json::parse(answers[i]).contains("error")) << answers[i];
}

}  // namespace
