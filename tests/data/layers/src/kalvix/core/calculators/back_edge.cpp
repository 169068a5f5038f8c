// A rules file reaching up into the window: the layer check must refuse it.
#include "kalvix/gui/app/kalvix_dlg.h"
