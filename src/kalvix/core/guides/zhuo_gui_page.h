#pragma once
// 捉鬼计算器: the experience and coins of one ghost-catching run for the party's leader and for
// a member, from the party's average level, the ring and the double-experience box. It
// recomputes at every change.

#include <cstdint>
#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class ZhuoGuiPage : public PageModel {
  public:
    static constexpr int kRings = 10;
    static constexpr std::int64_t kMaxLevel = 180;

    explicit ZhuoGuiPage(PageContext& context);
    std::string title() const override { return "捉鬼计算器"; }

    void editLevel(const std::string& text);
    void chooseRing(int index);
    void checkDouble(bool on);

    std::int64_t level() const { return level_; }

  private:
    void recompute();

    std::string levelText_ = "0";
    std::int64_t level_ = 0;
    int ring_ = 0;
    bool double_ = true;
    std::int64_t leaderExp_ = 0;
    std::int64_t leaderCoins_ = 0;
    std::int64_t memberExp_ = 0;
    std::int64_t memberCoins_ = 0;
};

}  // namespace kalvix
