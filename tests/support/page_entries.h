#pragma once
// Facts about the page registry that the window tests walk by.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/registry/page_registry.h"

namespace test_support {

// A dialog entry that is shown as a sub-page of a tab, not as a window of its own.
inline bool isSubPageOfTab(const kalvix::PageEntry& entry) {
    kalvix::PageContext context;
    for (const kalvix::PageEntry* tab : kalvix::tabPages()) {
        if (!tab->create)
            continue;
        auto model = tab->create(context);
        for (const kalvix::Control& c : model->controls())
            if (c.caption.rfind(entry.caption + ".", 0) == 0)
                return true;
    }
    return false;
}

}  // namespace test_support
