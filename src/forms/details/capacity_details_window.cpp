#include "forms/details/capacity_details_window.h"

#include "engine/breakdown.h"
#include "engine/code_ranges.h"
#include "forms/details/report_export.h"
#include "forms/details/window_keys.h"
#include "report/report_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using report_text::fixed;

namespace details {
namespace {

struct Line {
    QString item;
    QString formula;
    QString value;
    QString unit;
    bool governing = false;
};

QList<Line> resistanceLines(const CapacityTerms& t)
{
    const auto mark = [&](Resistance kind) { return kind == t.governing; };
    return {
        {QStringLiteral("扩大头侧摩阻力 Qs1"), QStringLiteral("πD·Σqs·l"), fixed(t.headFriction, 2), "kN"},
        {QStringLiteral("下部桩侧摩阻力 Qs2"), QStringLiteral("πd·Σqs·l"), fixed(t.shaftFriction, 2), "kN"},
        {QStringLiteral("变截面端阻力 Qpa"), QStringLiteral("α1·qpa·(Ap − As)"), fixed(t.stepBearing, 2), "kN"},
        {QStringLiteral("桩端端阻力 Qpb"), QStringLiteral("α2·qpb·As"), fixed(t.tipBearing, 2), "kN"},
        {report_text::resistanceName(Resistance::Soil), QStringLiteral("Qs1 + Qs2 + Qpa + Qpb"),
         fixed(t.bySoil, 2), "kN", mark(Resistance::Soil)},
        {report_text::resistanceName(Resistance::ShaftBody), QStringLiteral("η2·fcu,k·As + Qs1 + Qpa"),
         fixed(t.byShaftBody, 2), "kN", mark(Resistance::ShaftBody)},
        {report_text::resistanceName(Resistance::HeadBody), QStringLiteral("η1·fcu,k·Ap"),
         fixed(t.byHeadBody, 2), "kN", mark(Resistance::HeadBody)},
        {QStringLiteral("单桩承载力特征值 Ra"), QStringLiteral("min(R1, R2, R3)"),
         fixed(t.composite.pileCapacity, 2), "kN"},
    };
}

QList<Line> compositeLines(const CompositeTerms& c, const QString& caption)
{
    return {
        {QStringLiteral("面积置换率 m"), QStringLiteral("D²/de²"), fixed(c.replacementRatio, 4), ""},
        {QStringLiteral("扩大头截面积 Ap"), QStringLiteral("πD²/4"), fixed(c.headArea, 4), "m²"},
        {QStringLiteral("桩的贡献"), QStringLiteral("m·Ra/Ap"), fixed(c.pileTerm, 2), "kPa"},
        {QStringLiteral("桩间土的贡献"), QStringLiteral("β·(1 − m)·fsk"), fixed(c.soilTerm, 2), "kPa"},
        {caption, QStringLiteral("m·Ra/Ap + β·(1 − m)·fsk"), fixed(c.capacity, 2), "kPa"},
    };
}

void fill(QTableWidget* table, const QList<Line>& lines)
{
    table->setRowCount(lines.size());
    for (int row = 0; row < lines.size(); ++row) {
        const Line& line = lines[row];
        const QString item = line.governing ? line.item + QStringLiteral(" ◀ 控制") : line.item;
        const QStringList cells{item, line.formula, line.value, line.unit};
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column == 2)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (line.governing) {
                QFont font = cell->font();
                font.setBold(true);
                cell->setFont(font);
            }
            table->setItem(row, column, cell);
        }
    }
}

// The code's ranges the inputs lie outside, as the report and --json give
// them: a warning each, never a change to the numbers.
QLabel* rangeWarningsLabel(const ProjectData& project, const CapacityTerms& terms, QWidget* parent)
{
    QStringList lines;
    for (const RangeWarning& w : rangeWarnings(project, terms))
        lines.append(QStringLiteral("⚠ ") + QString::fromStdString(w.text));
    auto* label = new QLabel(lines.join(QChar('\n')), parent);
    label->setObjectName(QStringLiteral("rangeWarnings"));
    label->setWordWrap(true);
    label->setVisible(!lines.isEmpty());
    return label;
}

}  // namespace

CapacityDetailsWindow::CapacityDetailsWindow(const ProjectData& project, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), table_(new QTableWidget(0, 4, this))
{
    setWindowTitle(QStringLiteral("计算过程 - 承载力"));
    const CapacityTerms terms = capacityTerms(project_);
    QList<Line> lines = resistanceLines(terms) + compositeLines(terms.composite, QStringLiteral("复合地基承载力特征值 fspk"));
    if (project_.manualCapacityFlag == 1)
        lines += compositeLines(compositeTerms(project_, project_.manualPileCapacity),
                                QStringLiteral("fspk（手动输入 Ra）"));
    table_->setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("公式"),
                                       QStringLiteral("数值"), QStringLiteral("单位")});
    table_->verticalHeader()->hide();
    fill(table_, lines);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(rangeWarningsLabel(project_, terms, this));
    layout->addLayout(exportRow(this, &project_));
    setWindowKeys(this, table_);
    resize(720, 520);
}

}  // namespace details
