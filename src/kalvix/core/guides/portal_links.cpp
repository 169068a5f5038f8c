#include "kalvix/core/guides/portal_links.h"

#include "kalvix/core/page/portal_hosts.h"

namespace kalvix {
namespace {

constexpr PortalLink kQueryLinks[] = {
    {"熔炼查询", "buttonSmelt", PortalHost::Game, "/content/2011-05-05/20110505094821199,1.shtml"},
    {"奇经八脉", "buttonMeridians", PortalHost::Simulator, "/xyq/sim/"},
    {"法宝模拟", "buttonTreasure", PortalHost::Game, "/jsq/jsq11.htm"},
    {"坐骑资料", "buttonMount", PortalHost::Game, "/player/newer57_1.html"},
    {"满经验级", "buttonFullExp", PortalHost::Game, "/player/newer18.htm"},
    {"技能花费", "buttonSkillCost", PortalHost::Game, "/player/newer29.htm"},
    {"传说地点", "buttonLegend", PortalHost::Game, "/player/newer08.htm"},
    {"转服在线查询", "buttonTransfer", PortalHost::Game, "/player/chaxun.html"},
    {"法宝吸收灵气场景查询", "buttonAura", PortalHost::Game, "/activity7/index,3.shtml"},
};

constexpr PortalLink kOtherGuideLinks[] = {
    {"官职任务系统全攻略", "buttonOfficial", PortalHost::Game, "/player/newer28.htm"},
    {"开区时间查询", "buttonOpening", PortalHost::Game, "/player/newer60_1.shtml"},
    {"孩子养育", "buttonChildren", PortalHost::Forum,
     "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html"},
    {"家具配方", "buttonFurniture", PortalHost::Game, "/player/newer16.htm"},
    {"精彩录像", "buttonVideos", PortalHost::Game, "/movi/index.shtml"},
    {"牌艺攻略", "buttonCards", PortalHost::Forum, "/topics/1142/200509/23/2304490,1.html"},
    {"跑商教程", "buttonTrade", PortalHost::Game, "/player/newer14.htm"},
    {"帮派修炼", "buttonGuild", PortalHost::Game, "/player/newer30.htm"},
    {"宝宝资质", "buttonPetAptitude", PortalHost::Game, "/player/newer13.htm"},
    {"裁缝炼金", "buttonTailor", PortalHost::Game, "/player/newer22.htm"},
    {"强化装备", "buttonStrengthen", PortalHost::Game, "/player/newer22_2.htm"},
    {"百环任务", "buttonHundred", PortalHost::Game, "/player/newer15_2.htm"},
    {"师门攻略", "buttonSchool", PortalHost::Game, "/player/newer12_3.htm"},
    {"人物属性", "buttonAttributes", PortalHost::Game, "/player/newer09.htm"},
    {"宝石合成", "buttonGems", PortalHost::Game, "/madown/madow17.htm"},
    {"炼妖综述", "buttonRefine", PortalHost::Game, "/player/newer19.htm"},
};

const char* hostOf(PortalHost host) {
    switch (host) {
        case PortalHost::Forum:
            return portal::kForumHost;
        case PortalHost::Simulator:
            return portal::kSimulatorHost;
        case PortalHost::Game:
            break;
    }
    return portal::kGameHost;
}

}  // namespace

std::string portalAddress(const PortalLink& link) {
    return std::string(hostOf(link.host)) + link.path;
}

std::span<const PortalLink> queryLinks() {
    return kQueryLinks;
}

std::span<const PortalLink> otherGuideLinks() {
    return kOtherGuideLinks;
}

}  // namespace kalvix
