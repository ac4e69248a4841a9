#include "forms/design/design_dialog.h"


#include "engine/sweep_csv.h"
#include "forms/design/design_fields.h"
#include "forms/design/remembered_demands.h"
#include "forms/design/sweep_charts.h"
#include "forms/design/sweep_run.h"
#include "forms/design/sweep_table_model.h"
#include "forms/profile/profile_window.h"
#include "model/project_data.h"
#include "ui/dialog.h"
#include "ui/number_text.h"
#include "ui/services.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Every point of a sweep is kept for the table and the charts: a tenth of
// what the command line allows keeps the window within a modest memory.
constexpr std::size_t kMaxWindowPoints = 100'000;


const QString kCriteria[] = {
    QStringLiteral("ΔSn < 0.025ΣSi （变形比法）"),
    QStringLiteral("σz < 0.2σc （应力比法）"),
    QStringLiteral("σz < 0.1σc （应力比法，下有高压缩性土层）"),
};

// Post-construction settlement allowances of the highway subgrade design
// code, shown beside [s] for the engineer to choose from; never filled in.
const QString kAllowanceHint = QStringLiteral(
    "JTG D30 容许工后沉降（mm）：\n"
    "高速公路、一级公路：桥台与路堤相邻处 100，\n涵洞、箱形通道处 200，一般路段 300；\n"
    "二级公路：桥台处 200，涵洞、通道处 300，\n一般路段 500。");

QString rangeFaultMessage(RangeFault fault)
{
    switch (fault) {
    case RangeFault::None: return {};
    case RangeFault::NotFinite: return QStringLiteral("起始值、终止值和步长应为有限的数！");
    case RangeFault::StepNotPositive: return QStringLiteral("步长应大于0！");
    case RangeFault::Backwards: return QStringLiteral("起始值不应大于终止值！");
    case RangeFault::TooManyPoints: return QStringLiteral("计算点数不应超过1000000个！");
    }
    return {};
}

QString askCsvFileNameByDialog(QWidget* parent)
{
    return ui::askFileToSave(parent, QStringLiteral("导出CSV"), QStringLiteral("CSV (*.csv)"),
                             QStringLiteral("csv"));
}

QChartView* chartView(QWidget* parent, const QString& name)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->legend()->setAlignment(Qt::AlignBottom);
    return view;
}

}  // namespace

CDesignDialog::CDesignDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      askCsvFileName(askCsvFileNameByDialog), base_(g_project), profile_(appliedProfile())
{
    base_.deriveEquivalentDiameter();
    setWindowTitle(QStringLiteral("方案比选"));
    ui::setFormFont(this, 9);
    auto* page = new QHBoxLayout(this);
    page->addWidget(buildControls());
    page->addWidget(buildResults(), 1);
    resize(1180, 720);

    restoreDemands();
    setRunning(false);
}

CDesignDialog::~CDesignDialog() = default;

bool CDesignDialog::isRunning() const { return run_ && run_->isRunning(); }

const std::vector<SweepPoint>& CDesignDialog::points() const { return model_->points(); }

CDesignDialog::AxisBoxes CDesignDialog::addAxisBoxes(const QString& prefix)
{
    AxisBoxes boxes{new QComboBox(this), new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)};
    boxes.field->setObjectName(prefix + QStringLiteral("FieldCombo"));
    boxes.from->setObjectName(prefix + QStringLiteral("FromEdit"));
    boxes.to->setObjectName(prefix + QStringLiteral("ToEdit"));
    boxes.step->setObjectName(prefix + QStringLiteral("StepEdit"));
    fillFieldChoice(boxes.field);
    connect(boxes.field, &QComboBox::currentIndexChanged, this, [this, boxes] {
        suggestRange(boxes);
        OnFieldChanged();
    });
    return boxes;
}

void CDesignDialog::fillFieldChoice(QComboBox* box)
{
    const QSignalBlocker blocker(box);
    const QVariant chosen = box->currentData();
    box->clear();
    for (const SweepField* field : design::offeredFields(profile_.has_value()))
        box->addItem(design::fieldCaption(*field), QString::fromLatin1(field->name));
    if (chosen.isValid())
        box->setCurrentIndex(box->findData(chosen));
}

Sweep::PreparePoint CDesignDialog::profileSplit() const
{
    if (!profile_)
        return {};
    return [profile = *profile_](ProjectData& p) { return applyProfile(profile, p); };
}

// The profile applied there becomes the record's layers and this window's
// profile; the window's other values stay as they are.
void CDesignDialog::OnSoilProfile()
{
    const PileShape pile{base_.headDiameter, base_.shaftDiameter, base_.headLength, base_.pileLength};
    if (!openSoilProfile(this, pile))
        return;
    const int criterion = base_.stopCriterion;
    base_ = g_project;
    base_.stopCriterion = criterion;
    base_.deriveEquivalentDiameter();
    profile_ = appliedProfile();
    fillFieldChoice(first_.field);
    fillFieldChoice(second_.field);
}

QWidget* CDesignDialog::buildControls()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    first_ = addAxisBoxes(QStringLiteral("first"));
    second_ = addAxisBoxes(QStringLiteral("second"));
    const char* layoutSpacing[] = {"spacingTriangle", "spacingSquare", "spacingLongitudinal"};
    const int layout = base_.layoutType >= 0 && base_.layoutType <= 2 ? base_.layoutType : 1;
    first_.field->setCurrentIndex(first_.field->findData(QString::fromLatin1(layoutSpacing[layout])));
    second_.field->setCurrentIndex(second_.field->findData(QStringLiteral("headDiameter")));
    suggestRange(first_);
    suggestRange(second_);

    auto* firstGroup = new QGroupBox(QStringLiteral("变化参数"), panel);
    auto* firstForm = new QFormLayout(firstGroup);
    firstForm->addRow(first_.field);
    firstForm->addRow(QStringLiteral("起始值"), first_.from);
    firstForm->addRow(QStringLiteral("终止值"), first_.to);
    firstForm->addRow(QStringLiteral("步长"), first_.step);
    bestChoice_ = new QComboBox(firstGroup);
    bestChoice_->setObjectName(QStringLiteral("bestCombo"));
    bestChoice_->addItems({QStringLiteral("取最大值"), QStringLiteral("取最小值")});
    firstForm->addRow(QStringLiteral("最优方案"), bestChoice_);
    column->addWidget(firstGroup);
    auto* profileButton = new QPushButton(QStringLiteral("土层剖面…"), panel);
    profileButton->setObjectName(QStringLiteral("soilProfileButton"));
    profileButton->setToolTip(QStringLiteral("按土层剖面分层后，扩大头高度H和桩长L也可变化"));
    connect(profileButton, &QPushButton::clicked, this, &CDesignDialog::OnSoilProfile);
    column->addWidget(profileButton);

    auto* secondGroup = new QGroupBox(QStringLiteral("第二参数（网格）"), panel);
    secondGroup->setObjectName(QStringLiteral("gridGroup"));
    secondGroup->setCheckable(true);
    secondGroup->setChecked(false);
    auto* secondForm = new QFormLayout(secondGroup);
    secondForm->addRow(second_.field);
    secondForm->addRow(QStringLiteral("起始值"), second_.from);
    secondForm->addRow(QStringLiteral("终止值"), second_.to);
    secondForm->addRow(QStringLiteral("步长"), second_.step);
    column->addWidget(secondGroup);
    connect(secondGroup, &QGroupBox::toggled, this, [this](bool) { OnFieldChanged(); });
    gridGroup_ = secondGroup;

    auto* demandGroup = new QGroupBox(QStringLiteral("验算要求"), panel);
    auto* demandForm = new QFormLayout(demandGroup);
    criterion_ = new QComboBox(demandGroup);
    criterion_->setObjectName(QStringLiteral("criterionCombo"));
    for (const QString& text : kCriteria)
        criterion_->addItem(text);
    criterion_->setCurrentIndex(base_.stopCriterion >= 0 && base_.stopCriterion <= 2 ? base_.stopCriterion : 0);
    demandForm->addRow(QStringLiteral("沉降计算终止条件"), criterion_);
    const double load = base_.fillUnitWeight * base_.embankmentHeight;
    demandForm->addRow(QStringLiteral("路堤荷载p0 = γh（kPa）"),
                       new QLabel(QString::number(load, 'g', 6), demandGroup));
    surcharge_ = new QLineEdit(demandGroup);
    surcharge_->setObjectName(QStringLiteral("surchargeEdit"));
    surcharge_->setPlaceholderText(QStringLiteral("0"));
    demandForm->addRow(QStringLiteral("附加荷载q（kPa）"), surcharge_);
    allowableSettlement_ = new QLineEdit(demandGroup);
    allowableSettlement_->setObjectName(QStringLiteral("allowableSettlementEdit"));
    allowableSettlement_->setPlaceholderText(QStringLiteral("不验算"));
    demandForm->addRow(QStringLiteral("容许沉降[s]（mm）"), allowableSettlement_);
    auto* hint = new QLabel(kAllowanceHint, demandGroup);
    hint->setObjectName(QStringLiteral("allowanceHint"));
    hint->setStyleSheet(QStringLiteral("color: gray"));
    demandForm->addRow(hint);
    column->addWidget(demandGroup);

    runButton_ = new QPushButton(QStringLiteral("开始计算"), panel);
    runButton_->setObjectName(QStringLiteral("runButton"));
    cancelButton_ = new QPushButton(QStringLiteral("取消"), panel);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(runButton_);
    runRow->addWidget(cancelButton_);
    column->addLayout(runRow);
    progress_ = new QProgressBar(panel);
    progress_->setObjectName(QStringLiteral("progressBar"));
    column->addWidget(progress_);
    summary_ = new QLabel(panel);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);
    column->addWidget(summary_);
    column->addStretch();

    connect(runButton_, &QPushButton::clicked, this, &CDesignDialog::OnRun);
    connect(cancelButton_, &QPushButton::clicked, this, &CDesignDialog::OnCancel);
    OnFieldChanged();
    panel->setFixedWidth(340);
    return panel;
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
    exportButton_ = new QPushButton(QStringLiteral("导出CSV..."), panel);
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

const SweepField* CDesignDialog::chosenField(const AxisBoxes& boxes) const
{
    return findSweepField(boxes.field->currentData().toString().toStdString(), profile_.has_value()).field;
}

// A range around the record's own value: half of it to twice it in twenty steps.
void CDesignDialog::suggestRange(const AxisBoxes& boxes)
{
    const SweepField* field = chosenField(boxes);
    if (!field)
        return;
    const double value = base_.*(field->member);
    const bool usable = std::isfinite(value) && value > 0;
    boxes.from->setText(ui::formatDouble(usable ? value / 2 : 0.0));
    boxes.to->setText(ui::formatDouble(usable ? value * 2 : 1.0));
    boxes.step->setText(ui::formatDouble(usable ? value / 20 : 0.1));
}

void CDesignDialog::OnFieldChanged()
{
    if (const SweepField* field = chosenField(first_); field && bestChoice_)
        bestChoice_->setCurrentIndex(design::widerIsCheaper(*field) ? 0 : 1);
}

void CDesignDialog::message(const QString& text)
{
    ui::services().showMessage(this, text);
}

std::optional<SweepAxis> CDesignDialog::readAxis(const AxisBoxes& boxes)
{
    const std::optional<double> from = ui::parseDouble(boxes.from->text());
    const std::optional<double> to = ui::parseDouble(boxes.to->text());
    const std::optional<double> step = ui::parseDouble(boxes.step->text());
    if (!from || !to || !step) {
        message(QStringLiteral("请输入起始值、终止值和步长！"));
        return std::nullopt;
    }
    const SweepAxis axis{chosenField(boxes), {*from, *to, *step}};
    if (const QString fault = rangeFaultMessage(rangeFault(axis.range)); !fault.isEmpty()) {
        message(fault);
        return std::nullopt;
    }
    return axis;
}

std::optional<DesignDemands> CDesignDialog::readDemands()
{
    DesignDemands demands;
    if (!surcharge_->text().trimmed().isEmpty()) {
        const std::optional<double> q = ui::parseDouble(surcharge_->text());
        if (!q) {
            message(QStringLiteral("请输入正确的附加荷载q！"));
            return std::nullopt;
        }
        demands.surcharge = *q;
    }
    if (!allowableSettlement_->text().trimmed().isEmpty()) {
        demands.allowableSettlement = ui::parseDouble(allowableSettlement_->text());
        if (!demands.allowableSettlement) {
            message(QStringLiteral("请输入正确的容许沉降[s]！"));
            return std::nullopt;
        }
    }
    if (const std::string fault = demandsFault(demands); !fault.empty()) {
        message(QString::fromStdString(fault));
        return std::nullopt;
    }
    return demands;
}

void CDesignDialog::restoreDemands()
{
    const std::optional<DesignDemands> demands = design::rememberedDemands();
    if (!demands)
        return;
    surcharge_->setText(ui::formatDouble(demands->surcharge));
    if (demands->allowableSettlement)
        allowableSettlement_->setText(ui::formatDouble(*demands->allowableSettlement));
}

void CDesignDialog::OnRun()
{
    if (isRunning())
        return;
    const std::optional<SweepAxis> first = readAxis(first_);
    if (!first)
        return;
    std::vector<SweepAxis> axes{*first};
    if (gridGroup_->isChecked()) {
        const std::optional<SweepAxis> second = readAxis(second_);
        if (!second)
            return;
        if (second->field == first->field) {
            message(QStringLiteral("两个变化参数不应相同！"));
            return;
        }
        axes.push_back(*second);
    }
    std::size_t total = 1;
    for (const SweepAxis& axis : axes)
        total *= pointCount(axis.range);
    if (total > kMaxWindowPoints) {
        message(QStringLiteral("一次最多比选100000个方案，请加大步长或缩小范围！"));
        return;
    }
    const std::optional<DesignDemands> demands = readDemands();
    if (!demands)
        return;
    design::rememberDemands(*demands);
    base_.stopCriterion = criterion_->currentIndex();

    run_ = std::make_unique<design::SweepRun>(std::make_shared<const Sweep>(base_, std::move(axes), *demands,
                                                                                profileSplit()));
    connect(run_.get(), &design::SweepRun::progressed, progress_, &QProgressBar::setValue);
    connect(run_.get(), &design::SweepRun::finished, this, &CDesignDialog::showSweep);
    progress_->setRange(0, static_cast<int>(run_->sweep().size()));
    progress_->setValue(0);
    run_->start();
    setRunning(true);
}

void CDesignDialog::OnCancel()
{
    if (run_)
        run_->cancel();
}

// The points that arrived, in sweep order; the best of them by the first
// field, as the engineer chose.
void CDesignDialog::showSweep()
{
    std::vector<SweepPoint> points;
    BestPoint best([](const SweepPoint& p) { return p.values[0]; }, bestChoice_->currentIndex() == 0);
    for (const std::optional<SweepPoint>& point : run_->points()) {
        if (!point)
            continue;
        best.offer(*point, points.size());
        points.push_back(*point);
    }
    best_ = best.index();
    const std::size_t asked = run_->points().size();
    model_->setPoints(run_->sweep().axes(), std::move(points));
    table_->sortByColumn(-1, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
    showCharts();

    const std::size_t passing = static_cast<std::size_t>(std::count_if(
        model_->points().begin(), model_->points().end(), [](const SweepPoint& p) { return p.passes(); }));
    QString text = QStringLiteral("已计算 %1 / %2 个方案，其中 %3 个通过全部验算。")
                       .arg(model_->points().size()).arg(asked).arg(passing);
    if (best_) {
        text += QStringLiteral("\n最优方案：%1 = %2")
                    .arg(design::fieldCaption(*run_->sweep().axes()[0].field))
                    .arg(ui::formatDouble(model_->points()[*best_].values[0]));
    } else {
        text += QStringLiteral("\n没有通过全部验算的方案。");
    }
    summary_->setText(text);
    setRunning(false);
    emit sweepShown();
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
    design::drawSweepChart(
        *capacityView_->chart(),
        {field, QStringLiteral("复合地基承载力特征值fspk（kPa）"),
         {QStringLiteral("fspk"), [](const SweepPoint& p) { return p.checks.bearingCapacity; }},
         design::ChartCurve{QStringLiteral("p0 + q"), [](const SweepPoint& p) { return p.checks.bearingDemand; }}},
        points, step, best_);
    std::optional<design::ChartCurve> limit;
    if (const std::optional<double> allowed = run_->sweep().demands().allowableSettlement)
        limit = design::ChartCurve{QStringLiteral("[s]"), [s = *allowed](const SweepPoint&) { return s; }};
    design::drawSweepChart(*settlementView_->chart(),
                           {field, QStringLiteral("沉降（mm），") + kCriteria[base_.stopCriterion],
                            {QStringLiteral("沉降"), [](const SweepPoint& p) { return p.checks.settlement; }},
                            limit},
                           points, step, best_);
}

void CDesignDialog::setRunning(bool running)
{
    runButton_->setEnabled(!running);
    cancelButton_->setEnabled(running);
    for (QPushButton* button : {copyButton_, exportButton_, adoptButton_})
        button->setEnabled(!running && model_->rowCount() > 0);
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
