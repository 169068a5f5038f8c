#include "kalvix/core/simulator/furniture_tips.h"

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

std::string furnitureItemTip(const Catalogue& catalogue, const FurnitureInfo& item) {
    return "<table><tr><td valign=vcenter><icon idres=" + std::to_string(item.id) +
           "></td><td><h2>" + item.name + "</h2><br><hr color=green><br><font color=orange>" +
           item.description + "</font><br><font color=blue>【类型】" +
           catalogue.enumName(kEnumFurnitureKind, item.kind) + "<br>【等级】" +
           catalogue.enumName(kEnumNumeral, item.grade) + "级</font></td></tr></table>";
}

const std::string& houseRulesTip() {
    static const std::string tip = [] {
        const char* const header[] = {"等级", "窗帘", "桌子", "柜子", "地毯", "椅凳",
                                      "床",   "屏风", "壁画", "杂物", "地板"};
        const char* const rows[3][11] = {
            {"普通", "2", "1", "2", "2", "4", "1", "2", "3", "3", "1"},
            {"华宅", "3", "2", "3", "4", "6", "1", "4", "3", "5", "1"},
            {"豪宅", "6", "4", "4", "6", "8", "2", "8", "4", "6", "1"},
        };
        auto cell = [](const char* colour, const char* text) {
            return std::string("<td bgColor=") + colour + "><div align=center>" + text +
                   "</div></td>";
        };
        std::string t =
            "<h3><font color=blue>房屋按照不同等级，可放置的家具数量也不同：</font></h3><br><br>"
            "<table cellspacing=1 cellPadding=1 width=460 align=center bgColor=#ffcc33 "
            "border=0><tbody><tr height=20>";
        for (const char* h : header)
            t += cell("#99ccff", h);
        t += "</tr>";
        for (const auto& row : rows) {
            t += "<tr height=20>" + cell("#99ccff", row[0]);
            for (int c = 1; c < 11; ++c)
                t += cell("#ffffff", row[c]);
            t += "</tr>";
        }
        return t + "</tbody></table>";
    }();
    return tip;
}

}  // namespace kalvix
