#include "kalvix/core/calculators/mission_page.h"

#include <algorithm>
#include <cstdio>

#include "kalvix/core/calculators/mission_rewards.h"

namespace kalvix {
namespace {

const std::string kSchool = "师门任务(40以下可3倍).";
const std::string kMaster = "师徒任务.";
const std::string kCommunity = "社区 建设/巡逻 任务(每轮).";

std::string str(std::int64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(v));
    return buf;
}

std::string pair(std::int32_t a, std::int32_t b) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%ld / %ld", static_cast<long>(a), static_cast<long>(b));
    return buf;
}

std::string perRound(std::int32_t a) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%ld / 21", static_cast<long>(a));
    return buf;
}

}  // namespace

MissionPage::MissionPage(PageContext& context) : context_(context) {
    addList(
        "当前等级", "comboLevel", [] { return numberItems(0, kMaxLevel); },
        [this] { return level_; }, [this](int i) { chooseLevel(i); });

    addCheck(
        kSchool + "两轮", "checkSchoolTwo", [this] { return schoolTwo_; },
        [this](bool on) { setSchoolTwoRounds(on); });
    addCheck(
        "双倍", "checkDouble", [this] { return doubled_; }, [this](bool on) { setDoubled(on); });
    addCheck(
        "三倍", "checkTriple", [this] { return tripled_; }, [this](bool on) { setTripled(on); })
        .enabled = [this] { return tripledEnabled(); };
    addResult(kSchool + "经验", "editSchoolExp", [this] { return schoolExp_; });
    addResult(kSchool + "金钱", "editSchoolMoney", [this] { return schoolMoney_; });

    addCheck(
        kMaster + "两轮", "checkMasterTwo", [this] { return masterTwo_; },
        [this](bool on) { setMasterTwoRounds(on); });
    addList(
        "徒弟等级", "comboApprentice",
        [] { return numberItems(kFirstApprentice, kLastApprentice); },
        [this] { return apprenticeIndex_; }, [this](int i) { chooseApprentice(i); });
    addResult(kMaster + "可得金钱", "editMasterMoney", [this] { return masterMoney_; });
    addResult("徒弟金钱", "editApprenticeMoney", [this] { return apprenticeMoney_; });
    addResult("徒弟经验", "editApprenticeExp", [this] { return apprenticeExp_; });

    addResult("节日礼物.经验", "editFestivalExp", [this] { return festivalExp_; });
    addResult("节日礼物.金钱", "editFestivalMoney", [this] { return festivalMoney_; });
    addResult("科举考试.经验", "editExamExp", [this] { return examExp_; });
    addResult("青龙堂", "editQinglong", [this] { return qinglong_; });
    addResult("玄武堂", "editXuanwu", [this] { return xuanwu_; });
    addResult("新玄武堂(1轮).经验", "editNewXuanwuExp", [this] { return newXuanwuExp_; });
    addResult("帮贡", "editNewXuanwuContribution", [this] { return newXuanwuContribution_; });
    addResult("资金", "editNewXuanwuFunds", [this] { return newXuanwuFunds_; });

    addEdit(
        "从", "editFrom", [this] { return from_.text; },
        [this](const std::string& t) { editFrom(t); });
    addEdit(
        "到", "editTo", [this] { return to_.text; }, [this](const std::string& t) { editTo(t); });
    const char* const brackets[3] = {"总经验<15亿", "15亿>=总经验<25亿", "总经验>=25亿"};
    const char* const bracketIds[3] = {"radioBracket0", "radioBracket1", "radioBracket2"};
    for (int b = 0; b < 3; ++b)
        addRadio(
            brackets[b], bracketIds[b], [this, b] { return bracket_ == b; },
            [this, b] { chooseBracket(b); });
    addResult("任务链.经验", "editChainExp", [this] { return chainExp_; });

    addResult("10次经验", "editQuizExp", [this] { return quizExp_; });
    addResult("可得经验", "editCommunityExp", [this] { return communityExp_; });
    addResult(kCommunity + "可得金钱", "editCommunityMoney", [this] { return communityMoney_; });
    addResult("额外金钱", "editCommunityExtra", [this] { return communityExtra_; });

    fields().addInt("从", from_.text, from_.value).within(1, 300);
    fields().addInt("到", to_.text, to_.value).within(1, 300);
    chooseLevel(std::clamp(context_.sharedLevel(), 0, kMaxLevel));
}

std::string MissionPage::result(const std::string& caption) const {
    const Control* c = find(caption);
    return c && c->text ? c->text() : std::string();
}

void MissionPage::chooseLevel(int level) {
    if (level < 0 || level > kMaxLevel)
        return;
    level_ = level;
    readFields();
    context_.setSharedLevel(level_);
    tripled_ = level_ < 40;
    writeFields();
    computeSchool();
    computeMaster();
    computeOthers();
    computeChain();
}

void MissionPage::computeSchool() {
    const SchoolMissionReward r = schoolMission(level_, schoolTwo_, doubled_, tripled_);
    schoolExp_ = str(r.experience);
    schoolMoney_ = str(r.money);
}

void MissionPage::computeMaster() {
    const MasterMissionReward r =
        masterMission(level_, kFirstApprentice + apprenticeIndex_, masterTwo_);
    masterMoney_ = r.masterMoney;
    apprenticeMoney_ = r.apprenticeMoney;
    apprenticeExp_ = r.apprenticeExp;
}

void MissionPage::computeOthers() {
    const std::int32_t l = level_;
    const bool above10 = l > 10;
    festivalExp_ = l < 30 ? "" : str(60 * l * l);
    festivalMoney_ = l < 30 ? "" : str(10 * l * l);
    examExp_ = l < 10 ? "" : str(2220 * l + 10000);
    qinglong_ = above10 ? perRound(215 * l + 27750) : "";
    std::int32_t xuanwu = 0;
    for (std::int32_t k = 0; k <= 9; ++k)
        xuanwu += 27 * l + 350 + k * (7 * l + 50);
    xuanwu_ = above10 ? perRound(xuanwu) : "";
    newXuanwuExp_ = above10 ? str(860 * l + 5500) : "";
    newXuanwuContribution_ = above10 ? "31" : "";
    newXuanwuFunds_ = above10 ? "80000" : "";
    quizExp_ = l < 10 ? "" : str(300 * l);
    communityExp_ = above10 ? pair(1100 * l + 37500, 1650 * l + 15000) : "";
    communityMoney_ = above10 ? pair(275 * l + 4750, 330 * l + 3000) : "";
    communityExtra_ = above10 ? pair(150 * l, 150 * l) : "";
}

void MissionPage::computeChain() {
    readFields();
    chainExp_ = level_ < 60 ? "" : str(chainExperience(level_, from_.value, to_.value, bracket_));
    writeFields();
}

void MissionPage::setSchoolTwoRounds(bool on) {
    schoolTwo_ = on;
    computeSchool();
}

void MissionPage::setDoubled(bool on) {
    doubled_ = on;
    computeSchool();
}

void MissionPage::setTripled(bool on) {
    if (!tripledEnabled())
        return;
    tripled_ = on;
    computeSchool();
}

void MissionPage::setMasterTwoRounds(bool on) {
    masterTwo_ = on;
    computeMaster();
}

void MissionPage::chooseApprentice(int index) {
    if (index < 0 || index > kLastApprentice - kFirstApprentice)
        return;
    apprenticeIndex_ = index;
    computeMaster();
}

void MissionPage::editFrom(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    typeInto(from_, text);
    if (leadingInt32(text) > leadingInt32(to_.text))
        typeInto(to_, text);
    computeChain();
}

void MissionPage::editTo(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    typeInto(to_, text);
    computeChain();
}

void MissionPage::chooseBracket(int bracket) {
    bracket_ = std::clamp(bracket, 0, 2);
    computeChain();
}

}  // namespace kalvix
