#pragma once
// The widget of each page, by the page's caption: the window creates the model through the
// page registry and hands it to the widget made here.

#include <memory>
#include <string>

#include "kalvix/core/page/page_model.h"

class QWidget;

namespace kalvix::gui {

class PageHost;
class PageWidget;

// The page's widget; a page without a widget of its own (or without a model) is shown empty.
PageWidget* createPageWidget(const std::string& caption, PageHost& host,
                             std::unique_ptr<PageModel> model);

// Lets host open every dialog a page opens by its title.
void addStandardDialogs(PageHost& host);

}  // namespace kalvix::gui
