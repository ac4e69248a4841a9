// Every window of the program opens within a 1366×768 screen at 100 % and a
// 1920×1080 screen at 150 % (1280×720 logical pixels, less a task bar and a
// title bar), and its layout can shrink that far.
#include "forms/capacity/capacity_dialog.h"
#include "forms/consolidation/consolidation_window.h"
#include "forms/design/design_dialog.h"
#include "forms/details/capacity_details_window.h"
#include "forms/details/settlement_details_window.h"
#include "forms/profile/profile_window.h"
#include "forms/project_info/project_info_dialog.h"
#include "forms/sections/sections_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "forms/stability/stability_window.h"
#include "support/widgets.h"
#include "ui/dialog.h"
#include "worked_examples.h"

#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using MakeWindow = std::function<QWidget*()>;

const QSize kSmallestScreen(1280, 720 - 40 - 30);

}  // namespace

Q_DECLARE_METATYPE(MakeWindow)

class WindowSizesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }

    void init()
    {
        g_project = settlementExample();
        g_project.deriveEquivalentDiameter();
        g_project.computeCapacity();
    }

    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void fitsTheSmallestScreen_data()
    {
        QTest::addColumn<MakeWindow>("make");
        QTest::newRow("capacity details") << MakeWindow([] { return new details::CapacityDetailsWindow(g_project); });
        QTest::newRow("settlement details") << MakeWindow([] { return new details::SettlementDetailsWindow(g_project); });
        QTest::newRow("consolidation") << MakeWindow([] { return new consolidation::ConsolidationWindow(g_project); });
        QTest::newRow("stability") << MakeWindow([] { return new stability::StabilityWindow(g_project); });
        QTest::newRow("sections") << MakeWindow([] { return new CSectionsDialog; });
        QTest::newRow("design") << MakeWindow([] { return new CDesignDialog; });
        QTest::newRow("soil profile") << MakeWindow([] {
            return new ProfileWindow(PileShape{g_project.headDiameter, g_project.shaftDiameter, g_project.headLength,
                                               g_project.pileLength});
        });
        QTest::newRow("project information") << MakeWindow([] { return new ProjectInfoDialog; });
    }

    void fitsTheSmallestScreen()
    {
        QFETCH(MakeWindow, make);
        const std::unique_ptr<QWidget> window(make());
        window->show();
        const QSize opening = window->size();
        QVERIFY2(opening.width() <= kSmallestScreen.width() && opening.height() <= kSmallestScreen.height(),
                 qPrintable(QStringLiteral("opens at %1×%2").arg(opening.width()).arg(opening.height())));
        const QSize least = window->minimumSizeHint();
        QVERIFY2(least.width() <= kSmallestScreen.width() && least.height() <= kSmallestScreen.height(),
                 qPrintable(QStringLiteral("shrinks to %1×%2 at least").arg(least.width()).arg(least.height())));
    }

    // A button added to a form beside another keeps a gap to every other
    // button and shows its whole text.
    void formButtonsStandApart_data()
    {
        QTest::addColumn<MakeWindow>("make");
        QTest::addColumn<QString>("button");
        const MakeWindow capacity([] { return new CCapacityDialog; });
        const MakeWindow settlement([] { return new CSettlementDialog; });
        QTest::newRow("capacity form 稳定验算") << capacity << "stabilityButton";
        QTest::newRow("settlement form 稳定验算") << settlement << "stabilityButton";
        QTest::newRow("settlement form 土层剖面") << settlement << "soilProfileButton";
        QTest::newRow("settlement form 导出计算书") << settlement << "exportReportButton";
    }

    void formButtonsStandApart()
    {
        constexpr int kGap = 3;
        QFETCH(MakeWindow, make);
        QFETCH(QString, button);
        const std::unique_ptr<QWidget> form(make());
        form->show();
        const auto* target = form->findChild<QPushButton*>(button);
        QVERIFY(target);
        QVERIFY(target->width() >= target->fontMetrics().horizontalAdvance(target->text()));
        const QRect around(target->mapTo(form.get(), QPoint()) - QPoint(kGap, kGap), target->size() + QSize(2 * kGap, 2 * kGap));
        for (const QPushButton* other : form->findChildren<QPushButton*>()) {
            if (other == target || !other->isVisible())
                continue;
            const QRect placed(other->mapTo(form.get(), QPoint()), other->size());
            QVERIFY2(!around.intersects(placed), qPrintable(other->text()));
        }
    }
};

QTEST_MAIN(WindowSizesTest)
#include "window_sizes_test.moc"
