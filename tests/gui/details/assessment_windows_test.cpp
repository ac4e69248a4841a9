// The windows that show a design's assessment show the one every output
// gives (--json, a one-point sweep, a one-row road and the report are held
// to it in cli_sections_test): over random projects and demands, the
// verdicts and values of the "工后沉降" and "稳定验算" windows and of the
// details windows equal the assessment's, to the digits each prints.
#include "engine/stability.h"
#include "engine/time_settlement.h"
#include "forms/consolidation/consolidation_window.h"
#include "forms/consolidation/time_chart.h"
#include "forms/details/capacity_details_window.h"
#include "forms/details/settlement_details_window.h"
#include "forms/stability/stability_window.h"
#include "random_projects.h"
#include "report/report_text.h"
#include "support/widgets.h"
#include "ui/number_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using consolidation::ConsolidationWindow;
using stability::StabilityWindow;
using report_text::fixed;

namespace {

QString verdict(bool ok) { return ok ? QStringLiteral("满足") : QStringLiteral("不满足"); }

// The value the capacity details window prints on the row of an item.
QString tableValue(const QTableWidget* table, const QString& item)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text().startsWith(item))
            return table->item(row, 2)->text();
    return QStringLiteral("no row %1").arg(item);
}

void checkConsolidationWindow(ProjectData project, const DesignChecks& checks)
{
    ConsolidationWindow window(project);
    window.computeButton()->click();
    TimeSettlementInputs in;
    if (!readTimeSettlementInputs(project, in).empty() || !in.hasConsolidation()) {
        QVERIFY2(!window.statusLabel()->text().isEmpty(), "工后沉降: a refusal");
        QCOMPARE(window.checksLabel()->text(), QString());
        return;
    }
    QCOMPARE(window.statusLabel()->text(), QString());
    const QString shown = window.checksLabel()->text();
    const CheckOutcome* o = checks.outcome(CheckKind::PostConstruction);
    if (o) {
        QVERIFY(o->ok);
        const QString line = QStringLiteral("工后沉降 %1 mm %2 [s工后] = %3 mm：%4")
                                 .arg(ui::formatResult2(o->value), *o->ok ? QStringLiteral("≤") : QStringLiteral(">"),
                                      ui::formatDouble(o->limit), verdict(*o->ok));
        QVERIFY2(shown.contains(line), qPrintable(shown + " / " + line));
        QVERIFY2(window.chart().titleText().startsWith(QStringLiteral("工后沉降 %1 mm").arg(fixed(o->value, 2))),
                 qPrintable(window.chart().titleText()));
    } else {
        QVERIFY2(shown.contains(QStringLiteral("未给出容许工后沉降")), qPrintable(shown));
    }
    QCOMPARE(shown.count(QStringLiteral("下卧层")), static_cast<qsizetype>(checks.underlyingChecks.size()));
    for (const UnderlyingLayerCheck& c : checks.underlyingChecks) {
        const QString line = QStringLiteral("= %1 kPa %2 faz = %3 kPa：%4")
                                 .arg(ui::formatResult2(c.pz + c.pcz), c.ok ? QStringLiteral("≤") : QStringLiteral(">"),
                                      ui::formatResult2(c.faz), verdict(c.ok));
        QVERIFY2(shown.contains(line), qPrintable(shown + " / " + line));
    }
}

void checkStabilityWindow(ProjectData project, const DesignChecks& checks, double surcharge)
{
    StabilityWindow window(project);
    window.surchargeEdit()->setText(ui::formatDouble(surcharge));
    window.computeButton()->click();
    StabilityInputs in;
    const StabilityOutcome& s = checks.stability;
    if (!readStabilityInputs(project, in).empty() || s.state == StabilityState::NotAsked || !s.result) {
        QVERIFY2(!window.statusLabel()->text().isEmpty(), "稳定验算: a refusal or the reason");
        QCOMPARE(window.factorsLabel()->text(), QString());
        return;
    }
    QCOMPARE(window.statusLabel()->text(), QString());
    const QString shown = window.factorsLabel()->text();
    const QString factor = QStringLiteral("整体稳定安全系数 F = %1（").arg(ui::formatResult(checks.stabilityFactor(), 3));
    QVERIFY2(shown.contains(factor), qPrintable(shown + " / " + factor));
    const CheckOutcome* o = checks.outcome(CheckKind::Stability);
    const QString line = !o        ? QStringLiteral("未给出要求的安全系数[F]，不作验算")
                         : !o->ok ? QStringLiteral("整体稳定：未能验算")
                                  : QStringLiteral(" %1 [F] = %2：%3")
                                       .arg(*o->ok ? QStringLiteral("≥") : QStringLiteral("<"),
                                            ui::formatDouble(o->limit), verdict(*o->ok));
    QVERIFY2(shown.contains(line), qPrintable(shown + " / " + line));
}

void checkDetailsWindows(const ProjectData& project, const DesignChecks& checks)
{
    const details::CapacityDetailsWindow capacity(project);
    const QString fspk = project.manualCapacityFlag == 1 ? QStringLiteral("fspk（手动输入 Ra）")
                                                         : QStringLiteral("复合地基承载力特征值 fspk");
    QCOMPARE(tableValue(capacity.table(), fspk), fixed(checks.bearingCapacity, 2));
    const details::SettlementDetailsWindow settlement(project);
    const QString total = QStringLiteral("总沉降 %1 mm").arg(fixed(checks.settlement, 2));
    bool shown = false;
    for (const QLabel* label : settlement.findChildren<QLabel*>())
        shown = shown || label->text().contains(total);
    QVERIFY2(shown, qPrintable(total));
}

}  // namespace

class AssessmentWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(settingsFolder_.isValid());
        testing_support::keepSettingsIn(settingsFolder_.path());
    }

    void cleanup() { VERIFY_NO_LEAKED_TOP_LEVEL_WIDGETS(); }

    void windowsShowTheAssessment_data()
    {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 8; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    // The windows know the design window's q and [s]; the allowance after
    // construction is the project's own.
    void windowsShowTheAssessment()
    {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        const RandomAssessedProject assessed = randomAssessedProject(random);
        ProjectData project = assessed.project;
        project.deriveEquivalentDiameter();
        const DesignDemands demands{assessed.demands.surcharge, assessed.demands.allowableSettlement};
        ProjectData computed = project;
        const DesignChecks checks = checkDesign(computed, computeDesign(computed), demands);
        checkConsolidationWindow(project, checks);
        checkStabilityWindow(project, checks, demands.surcharge);
        checkDetailsWindows(project, checks);
    }

private:
    QTemporaryDir settingsFolder_;
};

QTEST_MAIN(AssessmentWindowsTest)
#include "assessment_windows_test.moc"
