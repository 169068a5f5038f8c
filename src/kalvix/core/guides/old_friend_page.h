#pragma once
// 老朋友回流计算: the experience and reserve money (储备金) a returning player (被绑定人) and the
// player binding them (绑定人) receive at one of the 15 collections, and over all of them.
// Each group computes on its own 计算 button.

#include <array>
#include <cstdint>
#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class OldFriendPage : public PageModel {
  public:
    enum Group { Bound = 0, Binder = 1 };  // 被绑定人, 绑定人
    static constexpr int kCollections = 15;
    static constexpr std::int32_t kMinLevel = 60;
    // Far above the game's levels, and low enough that every sum stays inside 32 bits.
    static constexpr std::int32_t kMaxLevel = 1000;

    explicit OldFriendPage(PageContext& context);
    std::string title() const override { return "老朋友回流计算"; }

    static std::string groupName(Group g);
    static const std::string& note();

    void editLevel(Group g, const std::string& text);
    void chooseCount(Group g, int index);
    void calculate(Group g);

  private:
    struct Side {
        std::string levelText = "0";
        std::int32_t level = 0;
        int count = 0;  // index of 领取次数, 0 for "1"
        std::int32_t exp = 0;
        std::int32_t money = 0;
        std::int32_t totalExp = 0;
        std::int32_t totalMoney = 0;
    };

    void computeExp(Group g);
    void computeMoney(Group g);

    std::array<Side, 2> sides_{};
};

}  // namespace kalvix
