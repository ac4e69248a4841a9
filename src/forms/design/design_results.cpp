#include "forms/design/design_dialog.h"

#include "output/sweep_csv.h"
#include "forms/design/design_fields.h"
#include "forms/design/sweep_charts.h"
#include "forms/design/sweep_run.h"
#include "forms/design/sweep_table_model.h"
#include "model/project_data.h"
#include "ui/number_text.h"
#include "ui/services.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QChartView* chartView(QWidget* parent, const QString& name)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->legend()->setAlignment(Qt::AlignBottom);
    return view;
}

}  // namespace

QString CDesignDialog::askCsvFileNameByDialog(QWidget* parent)
{
    return ui::askFileToSave(parent, QStringLiteral("导出方案比选表"), QStringLiteral("CSV 文件 (*.csv)"),
                             QStringLiteral("csv"));
}

QWidget* CDesignDialog::buildResults()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget(panel);
    tabs_->setObjectName(QStringLiteral("resultTabs"));

    model_ = new design::SweepTableModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(design::SweepTableModel::kSortRole);
    table_ = new QTableView(tabs_);
    table_->setObjectName(QStringLiteral("resultTable"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    // Tab goes on to the buttons; the arrow keys move between the cells.
    table_->setTabKeyNavigation(false);
    table_->resizeColumnsToContents();
    tabs_->addTab(table_, QStringLiteral("计算结果"));

    capacityView_ = chartView(tabs_, QStringLiteral("capacityChart"));
    settlementView_ = chartView(tabs_, QStringLiteral("settlementChart"));
    passMap_ = new design::PassMap(tabs_);
    passMap_->setObjectName(QStringLiteral("passMap"));
    tabs_->addTab(capacityView_, QStringLiteral("承载力"));
    tabs_->addTab(settlementView_, QStringLiteral("沉降"));
    tabs_->addTab(passMap_, QStringLiteral("验算通过区域"));
    column->addWidget(tabs_, 1);

    copyButton_ = new QPushButton(QStringLiteral("复制"), panel);
    copyButton_->setObjectName(QStringLiteral("copyButton"));
    exportButton_ = new QPushButton(QStringLiteral("导出CSV…"), panel);
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    adoptButton_ = new QPushButton(QStringLiteral("采用此方案"), panel);
    adoptButton_->setObjectName(QStringLiteral("adoptButton"));
    auto* closeButton = new QPushButton(QStringLiteral("返 回"), panel);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton_);
    buttons->addWidget(exportButton_);
    buttons->addStretch();
    buttons->addWidget(adoptButton_);
    buttons->addWidget(closeButton);
    column->addLayout(buttons);

    connect(copyButton_, &QPushButton::clicked, this, &CDesignDialog::OnCopy);
    connect(exportButton_, &QPushButton::clicked, this, &CDesignDialog::OnExportCsv);
    connect(adoptButton_, &QPushButton::clicked, this, &CDesignDialog::OnAdopt);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

void CDesignDialog::showCharts()
{
    const std::vector<SweepAxis>& axes = run_->sweep().axes();
    const std::vector<SweepPoint>& points = model_->points();
    const bool grid = axes.size() == 2;
    tabs_->setTabEnabled(tabs_->indexOf(capacityView_), !grid);
    tabs_->setTabEnabled(tabs_->indexOf(settlementView_), !grid);
    tabs_->setTabEnabled(tabs_->indexOf(passMap_), grid);
    if (grid) {
        std::vector<SweepPoint> cells;
        for (const std::optional<SweepPoint>& cell : run_->points())
            cells.push_back(cell ? *cell : SweepPoint{{}, "已取消", {}, {}});
        std::optional<std::size_t> bestCell;
        if (best_) {
            const SweepPoint& b = points[*best_];
            for (std::size_t i = 0; i < cells.size() && !bestCell; ++i)
                if (cells[i].values == b.values)
                    bestCell = i;
        }
        passMap_->setGrid(design::fieldCaption(*axes[0].field), design::fieldCaption(*axes[1].field),
                          std::move(cells), pointCount(axes[1].range), bestCell);
        return;
    }
    const QString field = design::fieldCaption(*axes[0].field);
    const double step = axes[0].range.step;
    const QString bestName = points.size() < run_->points().size() ? QStringLiteral("已计算方案中最好的")
                                                                   : QStringLiteral("最优方案");
    design::drawSweepChart(
        *capacityView_->chart(),
        {field, QStringLiteral("复合地基承载力特征值fspk（kPa）"),
         {QStringLiteral("fspk"), [](const SweepPoint& p) { return p.checks.bearingCapacity; }},
         design::ChartCurve{QStringLiteral("p0 + q"), [](const SweepPoint& p) { return p.checks.bearingDemand; }},
         bestName},
        points, step, best_);
    std::optional<design::ChartCurve> limit;
    if (const std::optional<double> allowed = run_->sweep().demands().allowableSettlement)
        limit = design::ChartCurve{QStringLiteral("[s]"), [s = *allowed](const SweepPoint&) { return s; }};
    design::drawSweepChart(*settlementView_->chart(),
                           {field, QStringLiteral("沉降（mm）"),
                            {QStringLiteral("沉降"), [](const SweepPoint& p) { return p.checks.settlement; }},
                            limit, bestName},
                           points, step, best_);
    // The criterion says how the settlement was computed: the chart's title, not a second quantity on its axis.
    // A chart's title is rich text: the "<" of the criterion is escaped.
    settlementView_->chart()->setTitle(
        (QStringLiteral("沉降计算终止条件：") + design::criterionCaptions()[base_.stopCriterion]).toHtmlEscaped());
}

std::optional<std::size_t> CDesignDialog::selectedPoint() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return best_;
    return static_cast<std::size_t>(sorted_->mapToSource(rows.first()).row());
}

void CDesignDialog::OnAdopt()
{
    const std::optional<std::size_t> chosen = selectedPoint();
    if (!chosen) {
        message(QStringLiteral("请先在结果表中选择一个方案！"));
        return;
    }
    const SweepPoint& point = model_->points()[*chosen];
    if (!point.valid()) {
        message(QStringLiteral("该方案的参数有误，不能采用！"));
        return;
    }
    QString change;
    const std::vector<SweepAxis>& axes = model_->axes();
    for (std::size_t i = 0; i < axes.size(); ++i)
        change += QStringLiteral("%1 = %2\n").arg(design::fieldCaption(*axes[i].field),
                                                 ui::formatDouble(point.values[i]));
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Orvane"), QStringLiteral("将当前项目的参数改为：\n%1确定采用此方案吗？").arg(change),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    for (std::size_t i = 0; i < axes.size(); ++i) {
        g_project.*(axes[i].field->member) = point.values[i];
        base_.*(axes[i].field->member) = point.values[i];
    }
    if (profile_) {
        applyProfile(*profile_, g_project);
        applyProfile(*profile_, base_);
    }
    g_project.deriveEquivalentDiameter();
    base_.deriveEquivalentDiameter();
}

// The selected rows, or every row, in the order the table shows them.
QString CDesignDialog::tableText(char separator) const
{
    std::string text = sweepCsvHeader(model_->axes(), separator) + "\n";
    QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        for (int row = 0; row < sorted_->rowCount(); ++row)
            rows << sorted_->index(row, 0);
    }
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        text += sweepCsvRow(model_->points()[static_cast<std::size_t>(sorted_->mapToSource(row).row())], separator)
                + "\n";
    return QString::fromStdString(text);
}

void CDesignDialog::OnCopy()
{
    QApplication::clipboard()->setText(tableText('\t'));
}

void CDesignDialog::OnExportCsv()
{
    QString path = askCsvFileName(this);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(tableText(',').toUtf8()) < 0 || !file.commit())
        message(QStringLiteral("无法写入文件 %1！").arg(QFileInfo(path).fileName()));
}
