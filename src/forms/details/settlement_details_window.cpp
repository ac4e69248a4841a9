#include "forms/details/settlement_details_window.h"

#include "forms/details/report_export.h"
#include "forms/details/window_keys.h"
#include "report/report_text.h"

#include <QChartView>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using report_text::fixed;

namespace details {
namespace {

const QStringList kLayerHeader{QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("顶深 (m)"),
                               QStringLiteral("底深 (m)"), QStringLiteral("模量 E (MPa)"),
                               QStringLiteral("分层数"), QStringLiteral("沉降 ΔS (mm)"),
                               QStringLiteral("累计 ΣS (mm)")};
const QStringList kSliceHeader{QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("顶深 (m)"),
                               QStringLiteral("底深 (m)"), QStringLiteral("应力系数 I"),
                               QStringLiteral("附加应力 σz (kPa)"), QStringLiteral("模量 E (MPa)"),
                               QStringLiteral("沉降 ΔS (mm)"), QStringLiteral("累计 ΣS (mm)"),
                               QStringLiteral("自重应力 σc (kPa)"), QStringLiteral("终止检验")};

QStringList layerCells(const ProjectData& p, const SettlementLayer& l)
{
    return {report_text::zoneName(l.zone), report_text::layerLabel(p, l.zone, l.layer), fixed(l.top, 2), fixed(l.bottom, 2),
            fixed(l.modulus, 3), QString::number(l.countedSlices), fixed(l.settlement, 3),
            fixed(l.cumulative, 3)};
}

QString stopTestCell(const SettlementSlice& s)
{
    if (!s.tested)
        return {};
    return QStringLiteral("%1 / %2").arg(fixed(s.testValue, 3), fixed(s.testLimit, 3));
}

QStringList sliceCells(const SettlementSlice& s)
{
    return {report_text::zoneName(s.zone), QString::number(s.layer), fixed(s.top, 3), fixed(s.bottom, 3),
            fixed(s.stressFactor, 4), fixed(s.additionalStress, 2), fixed(s.modulus, 3),
            fixed(s.settlement, 4), fixed(s.cumulative, 3),
            s.tested ? fixed(s.selfWeightStress, 2) : QString(), stopTestCell(s)};
}

void setRow(QTableWidget* table, int row, const QStringList& cells, double top, double bottom)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto* cell = new QTableWidgetItem(cells[column]);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cell->setData(Qt::UserRole, top);
        cell->setData(Qt::UserRole + 1, bottom);
        table->setItem(row, column, cell);
    }
}

// The slices as a person counts them: the sliver that the slicing leaves at
// the bottom of a layer is shown as part of the slice above it (its depths,
// settlement and stop test), as the layer table counts it.
std::vector<SettlementSlice> countedSlices(const std::vector<SettlementSlice>& slices)
{
    std::vector<SettlementSlice> counted;
    for (const SettlementSlice& s : slices) {
        const bool sameLayer = !counted.empty() && counted.back().zone == s.zone && counted.back().layer == s.layer;
        if (!sameLayer || !isSliver(s)) {
            counted.push_back(s);
            continue;
        }
        SettlementSlice& above = counted.back();
        above.bottom = s.bottom;
        above.settlement += s.settlement;
        above.cumulative = s.cumulative;
        if (s.tested) {
            above.tested = true;
            above.selfWeightStress = s.selfWeightStress;
            above.testValue = s.testValue;
            above.testLimit = s.testLimit;
        }
    }
    return counted;
}

QString summaryText(const SettlementDetails& d)
{
    return QStringLiteral("终止条件：%1　p0 = %2 kPa\n扩大头段 %3 mm，下部桩段 %4 mm，桩端以下 %5 mm，"
                          "总沉降 %6 mm。%7。")
        .arg(report_text::criterionName(d.criterion), fixed(d.load, 2), fixed(d.head, 3),
             fixed(d.shaft, 3), fixed(d.base, 3), fixed(d.total, 2), report_text::stopReasonText(d));
}

}  // namespace

SettlementDetailsWindow::SettlementDetailsWindow(const ProjectData& project, QWidget* parent)
    : QWidget(parent, Qt::Window),
      project_(project),
      details_(settlementDetails(project_, project_.stopCriterion)),
      chart_(makeSettlementChart(project_, details_)),
      table_(new QTableWidget(this)),
      slicesCheck_(new QCheckBox(QStringLiteral("逐片显示"), this)),
      sliceNote_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("计算过程 - 沉降"));
    auto* chartView = new QChartView(chart_.chart, this);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(260);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    showRows();
    connect(slicesCheck_, &QCheckBox::toggled, this, &SettlementDetailsWindow::showRows);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            &SettlementDetailsWindow::highlightSelectedRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chartView, 3);
    layout->addWidget(new QLabel(summaryText(details_), this));
    layout->addWidget(slicesCheck_);
    layout->addWidget(sliceNote_);
    layout->addWidget(table_, 2);
    layout->addLayout(exportRow(this, &project_));
    QWidget::setTabOrder(slicesCheck_, table_);
    setWindowKeys(this, table_);
    resize(900, 640);
}

void SettlementDetailsWindow::showRows()
{
    table_->clearContents();
    if (slicesCheck_->isChecked()) {
        table_->setColumnCount(kSliceHeader.size());
        table_->setHorizontalHeaderLabels(kSliceHeader);
        const std::vector<SettlementSlice> slices = countedSlices(details_.slices);
        const int shown = static_cast<int>(std::min<std::size_t>(slices.size(), kMaxSliceRows));
        table_->setRowCount(shown);
        for (int row = 0; row < shown; ++row) {
            const SettlementSlice& s = slices[static_cast<std::size_t>(row)];
            setRow(table_, row, sliceCells(s), s.top, s.bottom);
        }
        sliceNote_->setText(QStringLiteral("共 %1 片，此处列出前 %2 片；全部分片可由 orvane-cli --json --details 输出。")
                                .arg(slices.size())
                                .arg(shown));
        sliceNote_->setVisible(shown < static_cast<int>(slices.size()));
    } else {
        sliceNote_->hide();
        const std::vector<SettlementLayer> layers = settlementLayers(details_);
        table_->setColumnCount(kLayerHeader.size());
        table_->setHorizontalHeaderLabels(kLayerHeader);
        table_->setRowCount(static_cast<int>(layers.size()));
        int row = 0;
        for (const SettlementLayer& l : layers)
            setRow(table_, row++, layerCells(project_, l), l.top, l.bottom);
    }
    table_->resizeColumnsToContents();
}

void SettlementDetailsWindow::highlightSelectedRow()
{
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty())
        return;
    highlightDepths(chart_, selected.first()->data(Qt::UserRole).toDouble(),
                    selected.first()->data(Qt::UserRole + 1).toDouble());
}

}  // namespace details
