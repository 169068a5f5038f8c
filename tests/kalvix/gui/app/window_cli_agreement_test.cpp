// kalvix-calc and the window are one behaviour: the same actions, given once to kalvix-calc
// and once to the real widgets of the main window, leave the same texts in every result field.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "kalvix/cli/cli_test_support.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"

using namespace kalvix;
using namespace kalvix::gui;

namespace {

struct Scenario {
    int tab;
    std::string page;
    std::vector<std::string> args;
};

// The window answers boxes with OK, as kalvix-calc does without @answer.
struct Silent : MessagePresenter {
    void inform(QWidget*, const QString&) override {}
    bool ask(QWidget*, const QString&) override { return true; }
};

// The control an argument names, as kalvix-calc finds it.
const Control* named(const PageModel& page, const std::string& arg, std::string& value) {
    if (const Control* c = assignedControl(page, arg, value))
        return c;
    return page.find(arg);  // a button
}

// What a user does with the widget: paste the text, pick the item, click the button.
bool actOnWidget(PageBinder& binder, const Control& c, const std::string& value) {
    QWidget* w = binder.widgetFor(c.caption);
    if (!w)
        return false;
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const QString t = QString::fromStdString(value);
        e->setText(t);
        emit e->textEdited(t);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        const int i = value.rfind('#', 0) == 0 ? std::stoi(value.substr(1))
                                               : cb->findText(QString::fromStdString(value));
        cb->setCurrentIndex(i);
        emit cb->activated(i);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const bool isRadio = c.kind == ControlKind::Radio;
        const bool wantOn = value != "0";
        if (c.kind == ControlKind::Button || isRadio || b->isChecked() != wantOn)
            QTest::mouseClick(b, Qt::LeftButton);
    } else {
        return false;
    }
    return true;
}

QString shown(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return t->toPlainText();
    if (auto* cb = qobject_cast<QComboBox*>(w))
        return cb->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

}  // namespace

class WindowCliAgreementTest : public QObject {
    Q_OBJECT
  private slots:
    void sameActionsSameFields_data() {
        QTest::addColumn<int>("index");
        const std::vector<Scenario>& all = scenarios();
        for (int i = 0; i < static_cast<int>(all.size()); ++i)
            QTest::newRow(all[static_cast<std::size_t>(i)].page.c_str()) << i;
    }

    void sameActionsSameFields() {
        QFETCH(int, index);
        const Scenario& s = scenarios()[static_cast<std::size_t>(index)];
        std::vector<std::string> cliArgs = {s.page};
        cliArgs.insert(cliArgs.end(), s.args.begin(), s.args.end());
        const auto run = kalvix::test::runCalc(cliArgs);
        QVERIFY2(run.exitCode == 0, run.err.c_str());
        const auto json = nlohmann::json::parse(run.out);

        CKalvixDlg dlg;
        Silent silent;
        dlg.host().setPresenter(&silent);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.tabs()->setCurrentIndex(s.tab);
        auto* page = qobject_cast<PageWidget*>(dlg.page(s.tab));
        QVERIFY(page && page->binder());
        PageBinder& binder = *page->binder();
        for (const std::string& arg : s.args) {
            std::string value;
            const Control* c = named(binder.model(), arg, value);
            QVERIFY2(c, arg.c_str());
            QVERIFY2(actOnWidget(binder, *c, value), arg.c_str());
        }
        int compared = 0;
        for (const Control& c : binder.model().controls()) {
            if (!c.output || c.kind == ControlKind::Table)
                continue;
            QWidget* w = binder.widgetFor(c.caption);
            if (!w)
                continue;
            const QString cli = QString::fromStdString(json.value(c.caption, std::string("?")));
            QCOMPARE(shown(w), cli);
            ++compared;
        }
        QVERIFY(compared > 0);
    }

  private:
    static const std::vector<Scenario>& scenarios() {
        static const std::vector<Scenario> list = {
            // A click on the selected 攻击/法术 radio runs its mode click in both.
            {3, "修炼", {"攻击/法术=1"}},
            {3, "修炼", {"防御/法抗=1", "基本伤害=1000", "修炼等级=9", "攻击/法术=1"}},
            {3, "修炼", {"当前等级=3", "目标等级=12", "当前修炼经验=50"}},
            {0, "人物", {"当前等级=60", "目标等级=80", "当前经验=1000"}},
            {0, "人物", {"当前等级=175", "当前经验=x"}},
            {4, "任务", {"当前等级=#39", "双倍=0", "徒弟等级=#10", "从=20", "到=80"}},
            {5, "召唤兽", {"召唤兽等级=100", "成长率=1.25", "潜能=50"}},
            {2, "技能", {"向NPC学习=1", "帮派书院=3"}},
        };
        return list;
    }
};

QTEST_MAIN(WindowCliAgreementTest)
#include "window_cli_agreement_test.moc"
