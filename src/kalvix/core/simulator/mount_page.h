#pragma once
// The mount editor 坐骑: the mount's growth (成长) and its five attributes. It edits the mount
// record of the simulator session and writes it back only on 确认.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/simulator/simulator_session.h"

namespace kalvix {

inline constexpr const char* kBadGrowth = "请输入正确的成长！";

class MountPage : public PageModel {
  public:
    // With a fresh build of its own (kalvix-calc).
    explicit MountPage(PageContext& context);
    // On the session of the simulator page that opens it.
    MountPage(PageContext& context, SimulatorSession& session);
    std::string title() const override { return kMountTitle; }

    // The usual text-to-number conversion for decimals: leading blanks, an optional sign,
    // digits with an optional fraction and exponent; it stops at the first character that
    // does not fit, and no number at all gives 0. Never depends on the locale.
    static double leadingDecimal(std::string_view text);
    // The growth as the field shows it: four decimals.
    static std::string growthText(float growth);

    // 确认: true when the record was written and the dialog closes.
    bool confirm();
    void cancel();

    const SimulatorSession& session() const { return session_; }

  private:
    void declareControls();

    std::unique_ptr<SimulatorSession> ownSession_;
    SimulatorSession& session_;
    std::string growth_;
    std::array<std::int32_t, kMountCarried> carried_{};
    std::array<std::int32_t, kBasicAttributes> five_{};
    std::string outcome_;  // 确认 or 取消 once closed
};

}  // namespace kalvix
