// The renderer offscreen: pixels where the look matters, and markup of any shape survives.

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

#include "common/readable_colour.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/tooltip/html_drawer.h"
#include "kalvix/gui/tooltip/rune_icons.h"
#include "kalvix/shots/sample_tips.h"
#include "support/program_pictures.h"

using namespace kalvix::gui;

namespace {

QImage render(const QString& markup, QSize* size = nullptr,
              const QColor& background = QColor(Qt::white)) {
    CPPHtmlDrawer drawer(&test_support::programPictures());
    drawer.setTextColour(Qt::black);
    drawer.setMarkup(markup);
    const QSize s = drawer.size();
    if (size)
        *size = s;
    QImage image(s.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    drawer.draw(painter, QPoint(0, 0), background);
    return image;
}

bool near(QRgb pixel, const QColor& colour, int tolerance = 40) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Rows (top, bottom) holding pixels of that colour; (-1, -1) when none.
QPair<int, int> rowsOf(const QImage& image, const QColor& colour, int tolerance = 40) {
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), colour, tolerance)) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return {top, bottom};
}

int leftmostOf(const QImage& image, const QColor& colour) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (near(image.pixel(x, y), colour))
                return x;
    return -1;
}

}  // namespace

class HtmlDrawerTest : public QObject {
    Q_OBJECT
  private slots:
    void headingIsOrangeAndLargerThanBody() {
        QSize heading, body;
        const QImage image = render(QStringLiteral("<h3>武器</h3>"), &heading);
        render(QStringLiteral("武器"), &body);
        QVERIFY(rowsOf(image, QColor(0xff, 0x99, 0x00), 30).first >= 0);
        QCOMPARE(rowsOf(image, Qt::black, 60).first, -1);
        QVERIFY(heading.height() > body.height());  // 12pt against 10pt
        // A font colour inside the heading wins.
        const QImage green = render(QStringLiteral("<h3><font color=green>x</font></h3>"));
        QCOMPARE(rowsOf(green, QColor(0xff, 0x99, 0x00), 30).first, -1);
        QVERIFY(rowsOf(green, QColor(0, 128, 0)).first >= 0);
    }

    void ruleCrossesTheTipInItsColour() {
        for (const auto& [name, colour] :
             {std::pair{"green", QColor(0, 128, 0)}, std::pair{"blue", QColor(0, 0, 255)},
              std::pair{"orange", QColor(255, 165, 0)}}) {
            const QImage image = render(
                QStringLiteral("wide text line<br><hr color=%1><br>b").arg(QLatin1String(name)));
            bool fullRow = false;
            for (int y = 0; y < image.height() && !fullRow; ++y) {
                bool all = true;
                for (int x = 0; x < image.width() && all; ++x)
                    all = image.pixel(x, y) == colour.rgb();
                fullRow = all;
            }
            QVERIFY2(fullRow, name);
        }
    }

    // The markup's colours were chosen for a light tip: on a dark theme's tip they are
    // lightened until they read; on a light one they stay exactly as they are.
    void markupColoursReadOnADarkTip() {
        const QColor dark(53, 53, 53);
        auto rgb = [](QRgb p) {
            return common::Rgb{qRed(p) / 255.0, qGreen(p) / 255.0, qBlue(p) / 255.0};
        };
        for (const char* name : {"blue", "purple", "green", "red"}) {
            const QString markup =
                QStringLiteral("<font color=%1><b>武器伤害</b></font>").arg(QLatin1String(name));
            const QImage image = render(markup, nullptr, dark);
            double best = 1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    best = std::max(best,
                                    common::contrastRatio(rgb(image.pixel(x, y)), rgb(dark.rgb())));
            QVERIFY2(best >= 4.4,
                     qPrintable(QStringLiteral("%1: %2:1").arg(QLatin1String(name)).arg(best)));
            QVERIFY2(rowsOf(render(markup), QColor(QLatin1String(name)), 0).first >= 0, name);
        }
    }

    void ruleCrossesItsCellOnly() {
        QSize size;
        const QImage image =
            render(QStringLiteral("<table cellspacing=0 cellpadding=0><tr><td>left cell text</td>"
                                  "<td>a<br><hr color=blue><br>b</td></tr></table>"),
                   &size);
        const int blueLeft = leftmostOf(image, QColor(0, 0, 255));
        QVERIFY(blueLeft > 20);  // starts in the second cell
        QVERIFY(image.pixel(size.width() - 1, rowsOf(image, QColor(0, 0, 255), 0).first) ==
                QColor(0, 0, 255).rgb());
    }

    void nonBreakingSpacesKeepTheirWidth() {
        QSize spaced, plain;
        render(QStringLiteral("等级&nbsp;&nbsp;60<br>"), &spaced);
        render(QStringLiteral("等级60"), &plain);
        QVERIFY(spaced.width() > plain.width());
        QCOMPARE(spaced.height(), plain.height());  // the closing break adds no empty line
    }

    void vcenterCellIsCentredBesideATallerCell() {
        const QString table = QStringLiteral(
            "<table cellspacing=0 cellpadding=0><tr><td %1><font color=red>x</font></td>"
            "<td><icon idres=9999 width=48 height=48></td></tr></table>");
        QSize size;
        const QImage centred = render(table.arg(QStringLiteral("valign=vcenter")), &size);
        QCOMPARE(size.height(), 48);
        const auto [top, bottom] = rowsOf(centred, QColor(255, 0, 0));
        QVERIFY(top > 0);
        QVERIFY(qAbs((top + bottom) / 2 - 24) <= 4);
        const auto [topPlain, bottomPlain] =
            rowsOf(render(table.arg(QString())), QColor(255, 0, 0));
        QVERIFY(topPlain < top);
        QVERIFY(bottomPlain < 20);
    }

    void missingIconDrawsNothingAndKeepsTheLayout() {
        const QString markup =
            QStringLiteral("<icon idres=%1 width=48 height=48><font color=red>x</font>");
        QSize present, missing;
        const QImage withIcon = render(markup.arg(9999), &present);
        const QImage without = render(markup.arg(123456), &missing);
        QCOMPARE(missing, present);
        QCOMPARE(leftmostOf(without, QColor(255, 0, 0)), leftmostOf(withIcon, QColor(255, 0, 0)));
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                QCOMPARE(without.pixel(x, y), QColor(Qt::white).rgb());
        QVERIFY(withIcon.pixel(24, 24) != QColor(Qt::white).rgb());
        // Without a size a missing icon takes no room at all.
        QSize bare, text;
        render(QStringLiteral("<icon idres=5501>x"), &bare);
        render(QStringLiteral("x"), &text);
        QCOMPARE(bare, text);
    }

    void narrowSummaryTableGrowsToItsContent() {
        const QString line = QStringLiteral("符石1: 耐力 +1.0,气血 +10.0 and a long tail of text");
        QSize table, alone;
        render(QStringLiteral("<table width=40><tr><td width=30>%1</td></tr></table>").arg(line),
               &table);
        render(line, &alone);
        QVERIFY(table.width() >= alone.width() + 2);
        QSize summary;
        const QImage image = render(sampleWeaponSummaryTip(), &summary);
        QVERIFY(summary.width() > 40);
        // The last column of the picture holds no text: nothing runs past the edge.
        for (int y = 0; y < image.height(); ++y)
            QCOMPARE(image.pixel(image.width() - 1, y), QColor(Qt::white).rgb());
    }

    void tableWidthAndBackgrounds() {
        QSize size;
        const QImage image = render(sampleHouseRulesTip(), &size);
        QVERIFY(size.width() >= 460);
        QVERIFY(rowsOf(image, QColor(0xff, 0xcc, 0x33), 0).first >= 0);
        QVERIFY(rowsOf(image, QColor(0x99, 0xcc, 0xff), 0).first >= 0);
    }

    void anyMarkupRendersWithoutHarm() {
        const QStringList tokens = {QStringLiteral("<table width=40>"),
                                    QStringLiteral("<tr height=30>"),
                                    QStringLiteral("<td colspan=2>"),
                                    QStringLiteral("<td valign=vcenter>"),
                                    QStringLiteral("</td>"),
                                    QStringLiteral("</tr>"),
                                    QStringLiteral("</table>"),
                                    QStringLiteral("<br>"),
                                    QStringLiteral("<hr color=red>"),
                                    QStringLiteral("<h3>"),
                                    QStringLiteral("</h3>"),
                                    QStringLiteral("<h4 align=center>"),
                                    QStringLiteral("<center>"),
                                    QStringLiteral("</center>"),
                                    QStringLiteral("<font color=#00ff00>"),
                                    QStringLiteral("</font>"),
                                    QStringLiteral("<icon idres=9999 width=9999 height=7>"),
                                    QStringLiteral("<icon idres=10000>"),
                                    QStringLiteral("x"),
                                    QStringLiteral("伤害"),
                                    QStringLiteral("&nbsp;"),
                                    QStringLiteral("<"),
                                    QStringLiteral(">"),
                                    QStringLiteral("'"),
                                    QStringLiteral("<div align=center>"),
                                    QStringLiteral("</div>"),
                                    QStringLiteral("<b>"),
                                    QStringLiteral("<tbody>")};
        QRandomGenerator random(20261209);
        for (int round = 0; round < 300; ++round) {
            QString markup;
            const int count = random.bounded(1, 60);
            for (int i = 0; i < count; ++i)
                markup += tokens[random.bounded(tokens.size())];
            QSize size;
            render(markup, &size);
            QVERIFY(size.width() >= 0 && size.width() < 20000);
        }
        QSize empty;
        render(QString(), &empty);
        QVERIFY(empty.isEmpty());
    }

    void runeIconsComeFromTheCatalogue() {
        const PictureProvider& pictures = test_support::programPictures();
        QCOMPARE(pictures.image(PictureKind::Icon, 9999).size(), QSize(48, 48));
        QVERIFY(!pictures.image(PictureKind::Icon, 10000).isNull());
        QVERIFY(!pictures.image(PictureKind::Icon, 10608).isNull());
        QVERIFY(pictures.image(PictureKind::Icon, 10009).isNull());
        QVERIFY(pictures.image(PictureKind::Icon, 0).isNull());
        QVERIFY(pictures.image(PictureKind::Picture, 10000).isNull());
        QVERIFY(!pictures.icon(10312).isNull());
        // The gem takes the stone's colour: red stone 10000 reddest, blue 10312 bluest.
        const QRgb red = pictures.image(PictureKind::Icon, 10000).pixel(24, 24);
        const QRgb blue = pictures.image(PictureKind::Icon, 10312).pixel(24, 24);
        QVERIFY(qRed(red) > qBlue(red) + 80);
        QVERIFY(qBlue(blue) > qRed(blue) + 80);
        // Levels differ in the picture.
        QVERIFY(runeStoneIcon(3, 2) != runeStoneIcon(3, 3));
        QCOMPARE(runeStoneIcon(0, 1, 24).size(), QSize(24, 24));
    }

    void picturesOfALaterSourceSlotIn() {
        PictureProvider provider;
        provider.addSource(PictureKind::Icon, [](std::int32_t id) {
            return runeIconForResource(kalvix::Catalogue::instance(), id);
        });
        QVERIFY(provider.image(PictureKind::Picture, 5999).isNull());
        provider.addSource(PictureKind::Picture, [](std::int32_t id) {
            QImage blank(8, 6, QImage::Format_RGB32);
            blank.fill(Qt::white);
            return id == 5999 ? blank : QImage();
        });
        QCOMPARE(provider.image(PictureKind::Picture, 5999).size(), QSize(8, 6));
        QVERIFY(provider.image(PictureKind::Icon, 5999).isNull());
        CPPHtmlDrawer drawer(&provider);
        drawer.setMarkup(QStringLiteral("<icon idres=5999>"));
        QVERIFY(drawer.size().isEmpty());  // the tooltip shows icons, not pictures
    }
};

QTEST_MAIN(HtmlDrawerTest)
#include "html_drawer_test.moc"
