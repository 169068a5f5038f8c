#pragma once
// The inputs that give each page's read-only fields their widest texts (the largest numbers,
// the longest level texts), as kalvix-calc arguments: the layout test drives them and the
// screenshots show the pages with them.

#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace kalvix::gui {

class PageBinder;
class PageHost;
class ShotList;

using Arguments = std::vector<std::string>;

// The argument lists of one page or dialog, by caption; none for a page without entries.
std::vector<Arguments> widestInputs(const std::string& page);

// Applies the arguments through the binder as a user would: "caption=value" types into an edit
// (within the field's length limit and validator), chooses a list item ("#n" or the item) or a
// sub-page tab, or sets a check box; a bare caption clicks a button; "@tick=n" delivers n timer
// events. An empty text when every argument was taken, else why one was not.
QString applyArguments(PageBinder& binder, const Arguments& args);

// The page of the given caption (a tab or a dialog) with its n-th list of widest inputs
// applied, as a top-level widget the caller deletes; null when the page has no such list.
QWidget* widestPageShot(PageHost& host, const std::string& page, std::size_t n);

// Adds a screenshot "widest_<alias>_<n>" for every list of widest inputs of the pages.
void addWidestShots(ShotList& shots, const std::vector<std::string>& pages);

}  // namespace kalvix::gui
