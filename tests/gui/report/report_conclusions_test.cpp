// The checks of the calculation report for the worked example
// (p0 = 19 x 3 = 57 kPa, fspk 126.58 kPa, settlement 71.12 mm by the
// deformation ratio): each check with its demand and its verdict.
#include "report/report_conclusions.h"
#include "report/report_html.h"

#include "worked_examples.h"

#include <QTest>

class ReportConclusionsTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachCheckWithItsVerdict_data()
    {
        QTest::addColumn<double>("surcharge");
        QTest::addColumn<double>("allowed");  // 0: no allowable settlement
        QTest::addColumn<QString>("bearingCells");
        QTest::addColumn<QString>("settlementCells");
        QTest::addRow("bearing holds, settlement not checked")
            << 20.0 << 0.0 << "= 77.00 kPa</td><td>满足</td>" << "<td>未给出容许沉降</td><td>未验算</td>";
        QTest::addRow("bearing fails") << 100.0 << 0.0 << "= 157.00 kPa</td><td>不满足</td>"
                                       << "<td>未验算</td>";
        QTest::addRow("settlement holds") << 0.0 << 100.0 << "= 57.00 kPa</td><td>满足</td>"
                                          << "<td>≤ [s] = 100 mm</td><td>满足</td>";
        QTest::addRow("settlement fails") << 0.0 << 50.0 << "<td>满足</td>"
                                          << "<td>≤ [s] = 50 mm</td><td>不满足</td>";
    }

    void showsEachCheckWithItsVerdict()
    {
        QFETCH(double, surcharge);
        QFETCH(double, allowed);
        QFETCH(QString, bearingCells);
        QFETCH(QString, settlementCells);
        ProjectData project = settlementExample();
        project.deriveEquivalentDiameter();
        DesignDemands demands{surcharge, std::nullopt};
        if (allowed > 0)
            demands.allowableSettlement = allowed;

        const DesignChecks checks = checkDesign(project, computeDesign(project), demands);
        const QString html = report_html::table(designChecksHeader(),
                                                assessmentRows(checks, demands, project.stopCriterion));

        const QString bearingRow = html.section(QStringLiteral("<tr>"), 2, 2);
        const QString settlementRow = html.section(QStringLiteral("<tr>"), 3, 3);
        QVERIFY2(bearingRow.startsWith(QStringLiteral("<td>复合地基承载力</td>")), qPrintable(bearingRow));
        QVERIFY2(bearingRow.contains(bearingCells), qPrintable(bearingRow));
        QVERIFY2(settlementRow.contains(QStringLiteral("S = 71.12 mm")), qPrintable(settlementRow));
        QVERIFY2(settlementRow.contains(settlementCells), qPrintable(settlementRow));
    }
};

QTEST_MAIN(ReportConclusionsTest)
#include "report_conclusions_test.moc"
