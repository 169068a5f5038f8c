#include "kalvix/core/page/page_context.h"

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

PageContext::PageContext() : catalogue_(&Catalogue::instance()) {}

}  // namespace kalvix
