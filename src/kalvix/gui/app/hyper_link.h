#pragma once
// Moved to the widget framework; kept while code still includes the old path.
#include "kalvix/gui/framework/hyper_link.h"
