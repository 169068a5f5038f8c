#pragma once
// 帮派修炼: the fixed table of the 25 guild cultivation levels, the experience each needs and
// the coins it costs at 2W and at 3W per ten points, with running sums.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class JuntoPracticePage : public PageModel {
  public:
    static constexpr int kLevels = 25;

    explicit JuntoPracticePage(PageContext& context);
    std::string title() const override { return "帮派修炼"; }

    const TableRows& rows() const { return rows_; }

  private:
    TableRows rows_;
};

}  // namespace kalvix
