#include "forms/consolidation/consolidation_window.h"

#include "engine/design_check.h"
#include "forms/consolidation/time_chart.h"
#include "model/extension/input_catalogue.h"
#include "model/extension/layer_names.h"
#include "ui/dialog.h"
#include "ui/layer_value_table.h"
#include "ui/number_text.h"
#include "ui/owned_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace consolidation {
namespace {

enum LayerColumn { kZoneColumn, kLayerColumn, kThicknessColumn, kModulusColumn, kCvColumn, kFakColumn };

struct ZoneRows {
    const char* name;
    const char* cvKey;
    int count;
    const LayerTable* thickness;
    const LayerTable* modulus;
};

QString text(double value) { return ui::formatResult2(value); }

// A cell that takes no value (fak beside the head and shaft layers): greyed.
QTableWidgetItem* unusedItem()
{
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::NoItemFlags);
    item->setBackground(QPalette().brush(QPalette::Disabled, QPalette::Window));
    return item;
}

// The extension keys the window's boxes and columns store.
const char* const kKeys[] = {"cv.head", "cv.shaft", "cv.base", "fak.base", "fill", "bottomDrained", "ms", "pavementDay",
                             "designPeriod", "etaD", "roadClass", "location", "allowablePostConstruction"};

QString captionOf(const char* key) { return QString::fromStdString(inputCaption(catalogued(key))); }

// A refusal of the inputs as the window names them: the caption of the box
// or column instead of the file's key, without the file's list separators.
QString inWindowWords(const std::string& refusal)
{
    QString text = QString::fromStdString(refusal);
    for (const char* key : kKeys) {
        const QString prefix = QString::fromUtf8(key) + QStringLiteral("：");
        if (text.startsWith(prefix)) {
            text = captionOf(key) + QStringLiteral("：") + text.mid(prefix.size());
            break;
        }
    }
    text.replace(QStringLiteral("，以逗号分隔"), QString());
    text.replace(QStringLiteral("应为以逗号分隔的“天数:填土高度”，如0:0,90:1.5,180:3"),
                 QStringLiteral("每行应填入天数和填土高度"));
    return text;
}

QStringList listOf(const ProjectData& p, const char* key)
{
    return QString::fromStdString(p.extension.value(key)).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

const char* const kRoadClasses[] = {"", "highway", "second"};
const char* const kLocations[] = {"", "abutment", "culvert", "general"};

template <std::size_t N>
int indexOf(const char* const (&codes)[N], const std::string& code)
{
    for (std::size_t i = 0; i < N; ++i)
        if (code == codes[i])
            return static_cast<int>(i);
    return 0;
}

std::vector<double> parseDays(const QString& text)
{
    std::vector<double> days;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (const auto day = ui::parseDouble(part); day && *day >= 0)
            days.push_back(*day);
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

QString verdict(bool ok) { return ok ? QStringLiteral("满足") : QStringLiteral("不满足"); }

// The curve at the chosen days (and the pavement day), or the refusal of
// one that would take too long or is not finite.
TimeSettlementResult listedCurve(const ProjectData& p, const TimeSettlementInputs& in, const std::vector<double>& days,
                                 std::string& refusal)
{
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    refusal = consolidationWorkFault(timeSettlementWork(p, details, in, days));
    if (!refusal.empty())
        return {};
    TimeSettlementResult curve = timeSettlement(p, details, in, days);
    refusal = nonFiniteFault(curve);
    return curve;
}

}  // namespace

ConsolidationWindow::ConsolidationWindow(ProjectData& project, QWidget* parent)
    : QWidget(parent), project_(project)
{
    setWindowTitle(QStringLiteral("工后沉降"));
    ui::setFormFont(this, 9);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(makeInputs());
    auto* results = new QVBoxLayout;
    chart_ = new TimeChart(this);
    results->addWidget(chart_, 3);
    checks_ = new QLabel(this);
    checks_->setObjectName(QStringLiteral("checks"));
    checks_->setWordWrap(true);
    results->addWidget(checks_);
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(new QLabel(QStringLiteral("列表时间 (天)："), this));
    chosenTimes_ = new QLineEdit(QStringLiteral("30,90,180,365,730,1825,3650,5475"), this);
    chosen->addWidget(chosenTimes_);
    logTime_ = new QCheckBox(QStringLiteral("对数时间"), this);
    chosen->addWidget(logTime_);
    results->addLayout(chosen);
    times_ = new QTableWidget(0, 4, this);
    times_->setHorizontalHeaderLabels({QStringLiteral("时间 (天)"), QStringLiteral("填土高度 (m)"),
                                       QStringLiteral("沉降 (mm)"), QStringLiteral("固结度")});
    times_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results->addWidget(times_, 2);
    layout->addLayout(results, 1);
    fillLayerRows();
    fillFromExtension();
    ui::fitColumns(layers_, {kCvColumn, kFakColumn}, 48);
    connect(compute_, &QPushButton::clicked, this, &ConsolidationWindow::computeAndShow);
    connect(logTime_, &QCheckBox::toggled, this, &ConsolidationWindow::computeAndShow);
    connect(roadClass_, &QComboBox::currentIndexChanged, this, &ConsolidationWindow::fillAllowanceFromTable);
    connect(location_, &QComboBox::currentIndexChanged, this, &ConsolidationWindow::fillAllowanceFromTable);
    ui::wheelOnlyWhenFocused(this);
    resize(1200, 640);
}

QWidget* ConsolidationWindow::makeInputs()
{
    auto* inputs = new QWidget(this);
    auto* column = new QVBoxLayout(inputs);
    column->addWidget(new QLabel(QStringLiteral("各层固结系数cv (10⁻³ cm²/s)，下卧层fak (kPa)："), inputs));
    layers_ = new QTableWidget(0, 6, inputs);
    layers_->setHorizontalHeaderLabels({QStringLiteral("区段"), QStringLiteral("层号"), QStringLiteral("厚度 (m)"),
                                        QStringLiteral("Es (MPa)"), QStringLiteral("cv"), QStringLiteral("fak")});
    layers_->verticalHeader()->hide();
    column->addWidget(layers_, 2);
    column->addWidget(new QLabel(QStringLiteral("填土过程（天数，填土高度 m；不可卸载）："), inputs));
    fill_ = new QTableWidget(0, 2, inputs);
    fill_->setHorizontalHeaderLabels({QStringLiteral("天数"), QStringLiteral("填土高度 (m)")});
    column->addWidget(fill_, 1);
    auto* rows = new QHBoxLayout;
    auto* addRow = new QPushButton(QStringLiteral("加一行"), inputs);
    auto* removeRow = new QPushButton(QStringLiteral("删末行"), inputs);
    rows->addWidget(addRow);
    rows->addWidget(removeRow);
    column->addLayout(rows);
    connect(addRow, &QPushButton::clicked, this, [this] { fill_->insertRow(fill_->rowCount()); });
    connect(removeRow, &QPushButton::clicked, this, [this] {
        if (fill_->rowCount() > 0)
            fill_->removeRow(fill_->rowCount() - 1);
    });
    auto* form = new QFormLayout;
    const auto keyRow = [form](const char* key, QWidget* box) {
        form->addRow(captionOf(key) + QStringLiteral("："), box);
    };
    bottomDrained_ = new QCheckBox(captionOf("bottomDrained"), inputs);
    form->addRow(bottomDrained_);
    ms_ = new QLineEdit(inputs);
    keyRow("ms", ms_);
    pavementDay_ = new QLineEdit(inputs);
    keyRow("pavementDay", pavementDay_);
    designPeriod_ = new QLineEdit(inputs);
    keyRow("designPeriod", designPeriod_);
    etaD_ = new QLineEdit(inputs);
    keyRow("etaD", etaD_);
    roadClass_ = new QComboBox(inputs);
    roadClass_->addItems({QString(), QStringLiteral("高速公路、一级公路"), QStringLiteral("二级公路")});
    keyRow("roadClass", roadClass_);
    location_ = new QComboBox(inputs);
    location_->addItems({QString(), QStringLiteral("桥台与路堤相邻处"), QStringLiteral("涵洞、通道处"),
                         QStringLiteral("一般路段")});
    keyRow("location", location_);
    allowance_ = new QLineEdit(inputs);
    keyRow("allowablePostConstruction", allowance_);
    column->addLayout(form);
    compute_ = new QPushButton(QStringLiteral("计算"), inputs);
    column->addWidget(compute_);
    status_ = new QLabel(inputs);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #b00000"));
    column->addWidget(status_);
    return inputs;
}

void ConsolidationWindow::fillLayerRows()
{
    const ProjectData& p = project_;
    const ZoneRows zones[] = {
        {zoneName(InputZone::Head), "cv.head", usedLayers(p.headLayerCount), &p.headThickness, &p.headSoilModulus},
        {zoneName(InputZone::Shaft), "cv.shaft", usedLayers(p.shaftLayerCount), &p.shaftThickness,
         &p.shaftSoilModulus},
        {zoneName(InputZone::Base), "cv.base", usedLayers(p.baseLayerCount), &p.baseThickness, &p.baseSoilModulus}};
    const QStringList fak = listOf(p, "fak.base");
    for (const ZoneRows& zone : zones) {
        const QStringList cv = listOf(p, zone.cvKey);
        for (int i = 1; i <= zone.count; ++i) {
            const int row = layers_->rowCount();
            layers_->insertRow(row);
            layers_->setItem(row, kZoneColumn, ui::fixedItem(QString::fromUtf8(zone.name)));
            layers_->setItem(row, kLayerColumn, ui::fixedItem(QString::fromStdString(layerLabel(p, zone.cvKey, i))));
            layers_->setItem(row, kThicknessColumn, ui::fixedItem(ui::formatDouble((*zone.thickness)[i])));
            layers_->setItem(row, kModulusColumn, ui::fixedItem(ui::formatDouble((*zone.modulus)[i])));
            layers_->setItem(row, kCvColumn, new QTableWidgetItem(i <= cv.size() ? cv[i - 1].trimmed() : QString()));
            const bool base = std::string_view(zone.cvKey) == "cv.base";
            layers_->setItem(row, kFakColumn, base ? new QTableWidgetItem(i <= fak.size() ? fak[i - 1].trimmed() : QString())
                                                   : unusedItem());
        }
    }
}

void ConsolidationWindow::fillFromExtension()
{
    const ProjectExtension& e = project_.extension;
    for (const QString& pair : QString::fromStdString(e.value("fill")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(QLatin1Char(':'));
        const int row = fill_->rowCount();
        fill_->insertRow(row);
        fill_->setItem(row, 0, new QTableWidgetItem(parts.value(0).trimmed()));
        fill_->setItem(row, 1, new QTableWidgetItem(parts.value(1).trimmed()));
    }
    bottomDrained_->setChecked(e.value("bottomDrained") == "1");
    ms_->setText(QString::fromStdString(e.value("ms")));
    pavementDay_->setText(QString::fromStdString(e.value("pavementDay")));
    designPeriod_->setText(QString::fromStdString(e.value("designPeriod")));
    etaD_->setText(QString::fromStdString(e.value("etaD")));
    roadClass_->setCurrentIndex(indexOf(kRoadClasses, e.value("roadClass")));
    location_->setCurrentIndex(indexOf(kLocations, e.value("location")));
    allowance_->setText(QString::fromStdString(e.value("allowablePostConstruction")));
}

void ConsolidationWindow::fillAllowanceFromTable()
{
    const auto allowance = allowanceOf(kRoadClasses[roadClass_->currentIndex()], kLocations[location_->currentIndex()]);
    if (allowance)
        allowance_->setText(ui::formatDouble(*allowance));
}

std::vector<std::pair<std::string, std::string>> ConsolidationWindow::typedKeys() const
{
    const ProjectData& p = project_;
    const int head = usedLayers(p.headLayerCount);
    const int shaft = usedLayers(p.shaftLayerCount);
    const int base = usedLayers(p.baseLayerCount);
    QStringList fill;
    for (int row = 0; row < fill_->rowCount(); ++row)
        if (!ui::cellText(fill_, row, 0).isEmpty() || !ui::cellText(fill_, row, 1).isEmpty())
            fill << ui::cellText(fill_, row, 0) + QLatin1Char(':') + ui::cellText(fill_, row, 1);
    const auto boxText = [](const QLineEdit* box) { return box->text().trimmed().toStdString(); };
    return {{"cv.head", ui::columnList(layers_, 0, head, kCvColumn)},
            {"cv.shaft", ui::columnList(layers_, head, shaft, kCvColumn)},
            {"cv.base", ui::columnList(layers_, head + shaft, base, kCvColumn)},
            {"fak.base", ui::columnList(layers_, head + shaft, base, kFakColumn)},
            {"fill", fill.join(QLatin1Char(',')).toStdString()},
            {"bottomDrained", bottomDrained_->isChecked() ? "1" : ""},
            {"ms", boxText(ms_)},
            {"pavementDay", boxText(pavementDay_)},
            {"designPeriod", boxText(designPeriod_)},
            {"etaD", boxText(etaD_)},
            {"roadClass", kRoadClasses[roadClass_->currentIndex()]},
            {"location", kLocations[location_->currentIndex()]},
            {"allowablePostConstruction", boxText(allowance_)}};
}

// The inputs are checked on a copy and stored in the project only when the
// copy accepts them, so that a refused value never reaches the file. The
// chart, the figures after construction and the checks are those of the
// design's assessment, as every report and output gives them; the days
// chosen for the list are solved for apart.
void ConsolidationWindow::computeAndShow()
{
    ProjectData copy = project_;
    for (const auto& [key, value] : typedKeys())
        copy.extension.set(key, value);
    copy.deriveEquivalentDiameter();
    const ExtensionInputs inputs = readExtensionInputs(copy);
    const TimeSettlementOutputs assessed = timeSettlementOutputs(copy, inputs);
    std::string refusal = assessed.refusal;
    if (refusal.empty() && !assessed.inputs.hasConsolidation())
        refusal = "请在各层填入固结系数cv。";
    if (refusal.empty() && !assessed.consolidation)
        refusal = "输入的参数有误，请检查后重新计算！";
    const std::vector<double> chosen = parseDays(chosenTimes_->text());
    const TimeSettlementResult listed =
        refusal.empty() ? listedCurve(copy, assessed.inputs, chosen, refusal) : TimeSettlementResult{};
    status_->setText(inWindowWords(refusal));
    if (!refusal.empty()) {
        clearResults();
        return;
    }
    project_.extension = copy.extension;
    const TimeSettlementResult& curve = *assessed.consolidation;
    chart_->show(curve, logTime_->isChecked());
    showTable(curve, listed, chosen);
    showChecks(curve, checkDesign(copy, computeDesign(copy), DesignDemands{}, inputs, assessed));
}

void ConsolidationWindow::clearResults()
{
    chart_->clear();
    times_->setRowCount(0);
    checks_->clear();
}

void ConsolidationWindow::keyPressEvent(QKeyEvent* event)
{
    if (!ui::runOrCloseOnKey(*this, *event, [this] { computeAndShow(); }))
        QWidget::keyPressEvent(event);
}

// Each chosen day and the pavement day, from the assessed curve where it
// holds the day, else from the one solved at the chosen days.
void ConsolidationWindow::showTable(const TimeSettlementResult& assessed, const TimeSettlementResult& listed,
                                   const std::vector<double>& chosen)
{
    std::vector<TimeSettlement> rows;
    for (const std::vector<TimeSettlement>* curve : {&assessed.curve, &listed.curve})
        for (const TimeSettlement& point : *curve) {
            const bool asked = std::binary_search(chosen.begin(), chosen.end(), point.day) || point.day == assessed.pavementDay;
            const bool listedAlready = std::any_of(rows.begin(), rows.end(),
                                                   [&](const TimeSettlement& row) { return row.day == point.day; });
            if (asked && !listedAlready)
                rows.push_back(point);
        }
    std::sort(rows.begin(), rows.end(), [](const TimeSettlement& a, const TimeSettlement& b) { return a.day < b.day; });
    times_->setRowCount(0);
    for (const TimeSettlement& point : rows) {
        const int row = times_->rowCount();
        times_->insertRow(row);
        times_->setItem(row, 0, new QTableWidgetItem(ui::formatDouble(point.day)));
        times_->setItem(row, 1, new QTableWidgetItem(text(point.fillHeight)));
        times_->setItem(row, 2, new QTableWidgetItem(text(point.settlement)));
        times_->setItem(row, 3, new QTableWidgetItem(ui::formatResult(point.degree, 3)));
    }
}

void ConsolidationWindow::showChecks(const TimeSettlementResult& r, const DesignChecks& assessment)
{
    QStringList lines;
    lines << QStringLiteral("最终沉降 ms·Sc = %1 mm；路面完工（第%2天）时 %3 mm；剩余沉降 %4 mm。")
                 .arg(text(r.final), ui::formatDouble(r.pavementDay), text(r.atPavement), text(r.residual));
    const CheckOutcome* postConstruction = assessment.outcome(CheckKind::PostConstruction);
    if (postConstruction && postConstruction->ok)
        lines << QStringLiteral("工后沉降 %1 mm %2 [s工后] = %3 mm：%4")
                     .arg(text(postConstruction->value), *postConstruction->ok ? QStringLiteral("≤") : QStringLiteral(">"),
                          ui::formatDouble(postConstruction->limit), verdict(*postConstruction->ok));
    else
        lines << QStringLiteral("工后沉降 %1 mm（未给出容许工后沉降）。").arg(text(r.postConstruction));
    for (const UnderlyingLayerCheck& c : assessment.underlyingChecks)
        lines << QStringLiteral("下卧层%1（深度 %2 m）：pz + pcz = %3 + %4 = %5 kPa %6 faz = %7 kPa：%8")
                     .arg(ui::formatInt(c.layer), text(c.depth), text(c.pz), text(c.pcz), text(c.pz + c.pcz),
                          c.ok ? QStringLiteral("≤") : QStringLiteral(">"), text(c.faz), verdict(c.ok));
    checks_->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace consolidation
