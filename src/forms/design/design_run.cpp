#include "forms/design/design_dialog.h"

#include "forms/design/design_fields.h"
#include "forms/design/remembered_demands.h"
#include "forms/design/sweep_run.h"
#include "forms/design/sweep_table_model.h"
#include "ui/number_text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>

#include <algorithm>
#include <cmath>

namespace {

QString rangeFaultMessage(RangeFault fault)
{
    switch (fault) {
    case RangeFault::None: return {};
    case RangeFault::NotFinite: return QStringLiteral("起始值、终止值和步长应为有限的数！");
    case RangeFault::StepNotPositive: return QStringLiteral("步长应大于0！");
    case RangeFault::Backwards: return QStringLiteral("起始值不应大于终止值！");
    case RangeFault::TooManyPoints: return {};  // counted over all axes by askedPoints
    }
    return {};
}

// The points the ranges ask for together, as a number that does not
// overflow however fine the steps (each range is otherwise sound).
double askedPoints(const std::vector<SweepAxis>& axes)
{
    double total = 1;
    for (const SweepAxis& axis : axes) {
        const SweepRange& r = axis.range;
        total *= rangeFault(r) == RangeFault::None ? static_cast<double>(pointCount(r))
                                                   : std::floor((r.to - r.from) / r.step) + 1;
    }
    return total;
}

QString countText(double count)
{
    return count < 1e15 ? QString::number(count, 'f', 0) : QString::number(count, 'g', 3);
}

QString pointText(const std::vector<SweepAxis>& axes, const SweepPoint& point)
{
    QStringList parts;
    for (std::size_t i = 0; i < axes.size(); ++i)
        parts << QStringLiteral("%1 = %2").arg(design::fieldCaption(*axes[i].field),
                                              ui::formatDouble(point.values[i]));
    return parts.join(QStringLiteral("，"));
}

}  // namespace

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
    if (const double asked = askedPoints(axes); asked > static_cast<double>(kMaxSweepPoints)) {
        message(QStringLiteral("共%1个方案，一次最多比选%2个，请加大步长或缩小范围！")
                    .arg(countText(asked)).arg(kMaxSweepPoints));
        return;
    }
    const std::optional<DesignDemands> demands = readDemands();
    if (!demands)
        return;
    design::rememberDemands(*demands);
    base_.stopCriterion = criterion_->currentIndex();

    auto sweep = std::make_shared<const Sweep>(base_, std::move(axes), *demands, profileSplit());
    if (const SweepWork work = sweepWork(*sweep); work.tooMuch()) {
        message(QStringLiteral("共%1个方案，每个方案至多%2个沉降计算分层，合计超过%3个，请加大步长或缩小范围！")
                    .arg(work.points).arg(work.slicesPerPoint).arg(countText(kMaxSweepSlices)));
        return;
    }
    run_ = std::make_unique<design::SweepRun>(std::move(sweep));
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
    const bool cancelled = model_->points().size() < asked;
    QString text = QStringLiteral("%1已计算 %2 / %3 个方案，其中 %4 个通过全部验算。")
                       .arg(cancelled ? QStringLiteral("计算已取消。") : QString())
                       .arg(model_->points().size()).arg(asked).arg(passing);
    if (best_) {
        // The best of a cancelled run is only the best of the points computed.
        text += (cancelled ? QStringLiteral("\n已计算方案中最好的：") : QStringLiteral("\n最优方案："))
                + pointText(run_->sweep().axes(), model_->points()[*best_]);
    } else {
        text += QStringLiteral("\n没有通过全部验算的方案。");
    }
    summary_->setText(text);
    setRunning(false);
    emit sweepShown();
}
