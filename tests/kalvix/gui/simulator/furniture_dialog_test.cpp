// The 家具 dialog offscreen: the lists, the picture and the tips that follow each choice, the
// buttons, and opening it by its title through a host.

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/furniture_page.h"
#include "kalvix/core/simulator/furniture_tips.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/simulator/dlg_furniture.h"
#include "kalvix/gui/tooltip/furniture_pictures.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "support/program_pictures.h"

using namespace kalvix::gui;

namespace {

QComboBox* list(QWidget* d, const char* name) {
    auto* c = d->findChild<QComboBox*>(QString::fromLatin1(name));
    if (!c)
        qWarning("no list %s", name);
    return c;
}

void choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QImage shown(CDlgFurniture& d) {
    return d.picture()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage picture(std::int32_t id) {
    return test_support::programPictures()
        .image(PictureKind::Picture, id)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

class FurnitureDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void picturesForEveryItemAndTheBlank() {
        const kalvix::Catalogue& catalogue = kalvix::Catalogue::instance();
        const QImage blank = picture(kalvix::kBlankFurniturePicture);
        QCOMPARE(blank.size(), QSize(kFurniturePictureWidth, kFurniturePictureHeight));
        QSet<QByteArray> distinct;
        for (int slot = 0; slot < kalvix::kFurnitureItems; ++slot) {
            const QImage image = picture(catalogue.furniture[slot].id);
            QVERIFY2(!image.isNull(), qPrintable(QString::number(catalogue.furniture[slot].id)));
            QVERIFY(image != blank);
            distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                       static_cast<int>(image.sizeInBytes())));
        }
        QCOMPARE(distinct.size(), kalvix::kFurnitureItems);  // each card shows its own name
        QVERIFY(picture(0).isNull());
        QVERIFY(picture(5500).isNull());
        // Furniture pictures are pictures, not icons: the tooltip's icon tag finds none.
        QVERIFY(test_support::programPictures().image(PictureKind::Icon, 5551).isNull());
    }

    void choicesMoveThePictureAndTheTips() {
        kalvix::PageContext context(kalvix::Catalogue::instance());
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        CDlgFurniture d(host);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("家具"));
        QCOMPARE(shown(d), picture(5999));
        QCOMPARE(d.tooltip().tip(list(&d, "comboKind")),
                 QString::fromStdString(kalvix::houseRulesTip()));
        QCOMPARE(d.tooltip().tip(list(&d, "comboFurniture")), QString());
        QCOMPARE(list(&d, "comboFurniture")->count(), 83);

        choose(list(&d, "comboKind"), QStringLiteral("床"));
        QCOMPARE(list(&d, "comboFurniture")->count(), 8);
        choose(list(&d, "comboFurniture"), QStringLiteral("榛木床"));
        for (const char* m : {"comboMaterial1", "comboMaterial2", "comboMaterial3"})
            QCOMPARE(list(&d, m)->currentText(), QStringLiteral("普通木材类"));
        QCOMPARE(list(&d, "comboMaterial4")->currentText(), QStringLiteral("无"));
        QCOMPARE(shown(d), picture(5551));
        const QString tip = d.tooltip().tip(d.picture());
        QVERIFY(tip.contains(QStringLiteral("<h2>榛木床</h2>")));
        QVERIFY(tip.contains(QStringLiteral("【等级】一级")));
        QCOMPARE(d.tooltip().tip(list(&d, "comboFurniture")), tip);

        // Materials the other way round: 普通木材类 and 普通手艺 make 桦木圆桌 under 所有.
        choose(list(&d, "comboMaterial2"), QStringLiteral("普通手艺"));
        choose(list(&d, "comboMaterial3"), QStringLiteral("无"));
        QCOMPARE(list(&d, "comboKind")->currentText(), QStringLiteral("所有"));
        QCOMPARE(list(&d, "comboFurniture")->currentText(), QStringLiteral("桦木圆桌"));
        QCOMPARE(shown(d), picture(5511));
        // A miss: the blank item, the blank picture, no tips.
        choose(list(&d, "comboMaterial4"), QStringLiteral("宝石类"));
        QCOMPARE(list(&d, "comboFurniture")->currentText(), QStringLiteral(" "));
        QCOMPARE(shown(d), picture(5999));
        QCOMPARE(d.tooltip().tip(d.picture()), QString());
    }

    void theItemTipShowsOverThePicture() {
        kalvix::PageContext context(kalvix::Catalogue::instance());
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        CDlgFurniture d(host);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const auto hover = [](QWidget* control) {
            const QPointF local(5, 5);
            QEnterEvent event(local, local, QPointF(control->mapToGlobal(QPoint(5, 5))));
            QApplication::sendEvent(control, &event);
        };
        // The blank item has no tip: resting on it starts none.
        hover(d.picture());
        QVERIFY(d.tooltip().tip(d.picture()).isEmpty());
        QVERIFY(!d.tooltip().isWaiting());
        QVERIFY(!d.tooltip().isShowing());
        choose(list(&d, "comboFurniture"), QStringLiteral("红杏闹春帘"));
        hover(d.picture());
        QTRY_VERIFY_WITH_TIMEOUT(d.tooltip().isShowing(), 10000);
        QCOMPARE(d.tooltip().currentControl(), d.picture());
    }

    void buttonsClose() {
        kalvix::PageContext context(kalvix::Catalogue::instance());
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        for (const char* name : {"buttonOk", "buttonCancel"}) {
            CDlgFurniture d(host);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
            QVERIFY(b);
            QTest::mouseClick(b, Qt::LeftButton);
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(),
                     std::string(name) == "buttonOk" ? QDialog::Accepted : QDialog::Rejected);
        }
    }

    void opensByItsTitle() {
        kalvix::PageContext context(kalvix::Catalogue::instance());
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        addFurnitureDialog(host);
        PageHost child(host);  // a dialog's own host falls back on its window's
        QString ran;
        host.dialogRunner = [&ran](QDialog* d) {
            if (qobject_cast<CDlgFurniture*>(d))
                ran = d->windowTitle();
        };
        child.runDialog(QStringLiteral("家具"), nullptr);
        QCOMPARE(ran, QStringLiteral("家具"));
        // A title nobody knows opens nothing, rather than an empty window.
        QVERIFY(!child.createDialog(QStringLiteral("家俱"), nullptr));
        ran.clear();
        child.runDialog(QStringLiteral("家俱"), nullptr);
        QVERIFY(ran.isEmpty());
    }
};

QTEST_MAIN(FurnitureDialogTest)
#include "furniture_dialog_test.moc"
