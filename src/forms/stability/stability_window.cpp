#include "forms/stability/stability_window.h"

#include "forms/design/remembered_demands.h"
#include "forms/stability/section_drawing.h"
#include "model/extension/input_catalogue.h"
#include "ui/dialog.h"
#include "ui/layer_value_table.h"
#include "ui/number_text.h"
#include "ui/owned_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace stability {
namespace {

enum StrengthColumn { kZoneColumn, kLayerColumn, kThicknessColumn, kUnitWeightColumn, kCColumn, kPhiColumn };
constexpr int kFillRow = 0;

struct ZoneRows {
    const char* name;
    const char* cKey;
    const char* phiKey;
    int count;
    const LayerTable* thickness;
    const LayerTable* unitWeight;
};

std::vector<ZoneRows> zonesOf(const ProjectData& p)
{
    return {{zoneName(InputZone::Head), "c.head", "phi.head", usedLayers(p.headLayerCount), &p.headThickness,
             &p.headUnitWeight},
            {zoneName(InputZone::Shaft), "c.shaft", "phi.shaft", usedLayers(p.shaftLayerCount), &p.shaftThickness,
             &p.shaftUnitWeight},
            {zoneName(InputZone::Base), "c.base", "phi.base", usedLayers(p.baseLayerCount), &p.baseThickness,
             &p.baseUnitWeight}};
}

// The extension keys the window's boxes and columns store.
const char* const kKeys[] = {"c.head", "phi.head", "c.shaft", "phi.shaft", "c.base", "phi.base", "c.fill", "phi.fill",
                             "pileShear", "treatedMargin", "stabilityRequired"};
const QString kSurchargeLabel = QStringLiteral("附加荷载q (kPa)");

QString captionOf(const char* key) { return QString::fromStdString(inputCaption(catalogued(key))); }

// A refusal or a reason as the window names its boxes: the caption of the
// box or column instead of the file's key, without the file's list
// separators.
QString inWindowWords(const std::string& text)
{
    QString words = QString::fromStdString(text);
    for (const char* key : kKeys)
        words.replace(QString::fromUtf8(key), captionOf(key));
    words.replace(QStringLiteral("，以逗号分隔"), QString());
    return words;
}

QStringList listOf(const ProjectData& p, const char* key)
{
    return QString::fromStdString(p.extension.value(key)).split(QLatin1Char(','));
}

QString factorText(double factor) { return ui::formatResult(factor, 3); }
QString sideName(Side side) { return side == Side::Left ? QStringLiteral("左") : QStringLiteral("右"); }

}  // namespace

StabilityWindow::StabilityWindow(ProjectData& project, QWidget* parent) : QWidget(parent), project_(project)
{
    setWindowTitle(QStringLiteral("稳定验算"));
    ui::setFormFont(this, 9);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(makeInputs());
    layout->addWidget(makeResults(), 1);
    fillStrengthRows();
    fillFromExtension();
    ui::fitColumns(strengths_, {kCColumn, kPhiColumn}, 40);
    ProjectData stored = project_;
    stored.deriveEquivalentDiameter();
    StabilityInputs in;
    readStabilityInputs(stored, in);  // a refusal is told on 计算; the section is drawn either way
    drawSection(stored, in, ui::parseDouble(surcharge_->text()).value_or(0));
    connect(compute_, &QPushButton::clicked, this, &StabilityWindow::computeAndShow);
    ui::wheelOnlyWhenFocused(this);
    resize(1200, 640);
}

QWidget* StabilityWindow::makeInputs()
{
    auto* inputs = new QWidget(this);
    auto* column = new QVBoxLayout(inputs);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("填土与各层土的抗剪强度（c kPa，φ °）："), inputs));
    strengths_ = new QTableWidget(0, 6, inputs);
    strengths_->setObjectName(QStringLiteral("strengthTable"));
    strengths_->setHorizontalHeaderLabels({QStringLiteral("区段"), QStringLiteral("层号"), QStringLiteral("厚度 (m)"),
                                           QStringLiteral("γ (kN/m³)"), QStringLiteral("c (kPa)"),
                                           QStringLiteral("φ (°)")});
    strengths_->verticalHeader()->hide();
    column->addWidget(strengths_, 1);
    auto* form = new QFormLayout;
    const auto box = [&](const char* name, const QString& label) {
        auto* edit = new QLineEdit(inputs);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(label + QStringLiteral("："), edit);
        return edit;
    };
    pileShear_ = box("pileShearEdit", captionOf("pileShear"));
    margin_ = box("treatedMarginEdit", captionOf("treatedMargin"));
    margin_->setPlaceholderText(QStringLiteral("0；负数表示止于坡脚以内"));
    surcharge_ = box("surchargeEdit", kSurchargeLabel);
    required_ = box("stabilityRequiredEdit", captionOf("stabilityRequired"));
    required_->setPlaceholderText(QStringLiteral("未填时不作验算"));
    column->addLayout(form);
    compute_ = new QPushButton(QStringLiteral("计算"), inputs);
    compute_->setObjectName(QStringLiteral("computeButton"));
    column->addWidget(compute_);
    status_ = new QLabel(inputs);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #b00000"));
    column->addWidget(status_);
    return inputs;
}

QWidget* StabilityWindow::makeResults()
{
    auto* results = new QWidget(this);
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    drawing_ = new SectionDrawing(results);
    column->addWidget(drawing_, 3);
    factors_ = new QLabel(results);
    factors_->setObjectName(QStringLiteral("factors"));
    factors_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(factors_);
    slicesTitle_ = new QLabel(results);
    column->addWidget(slicesTitle_);
    slices_ = new QTableWidget(0, 7, results);
    slices_->setObjectName(QStringLiteral("sliceTable"));
    slices_->setHorizontalHeaderLabels({QStringLiteral("x (m)"), QStringLiteral("宽度 b (m)"),
                                        QStringLiteral("底角 α (°)"), QStringLiteral("重量 W (kN/m)"),
                                        QStringLiteral("c′ (kPa)"), QStringLiteral("φ′ (°)"),
                                        QStringLiteral("加固区")});
    slices_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    slices_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    column->addWidget(slices_, 2);
    return results;
}

void StabilityWindow::fillStrengthRows()
{
    const ProjectData& p = project_;
    strengths_->insertRow(kFillRow);
    strengths_->setItem(kFillRow, kZoneColumn, ui::fixedItem(QStringLiteral("填土")));
    strengths_->setItem(kFillRow, kLayerColumn, ui::fixedItem(QString()));
    strengths_->setItem(kFillRow, kThicknessColumn, ui::fixedItem(ui::formatDouble(p.embankmentHeight)));
    strengths_->setItem(kFillRow, kUnitWeightColumn, ui::fixedItem(ui::formatDouble(p.fillUnitWeight)));
    for (const ZoneRows& zone : zonesOf(p))
        for (int i = 1; i <= zone.count; ++i) {
            const int row = strengths_->rowCount();
            strengths_->insertRow(row);
            strengths_->setItem(row, kZoneColumn, ui::fixedItem(QString::fromUtf8(zone.name)));
            strengths_->setItem(row, kLayerColumn, ui::fixedItem(ui::formatInt(i)));
            strengths_->setItem(row, kThicknessColumn, ui::fixedItem(ui::formatDouble((*zone.thickness)[i])));
            strengths_->setItem(row, kUnitWeightColumn, ui::fixedItem(ui::formatDouble((*zone.unitWeight)[i])));
        }
}

void StabilityWindow::fillFromExtension()
{
    const ProjectData& p = project_;
    const ProjectExtension& e = p.extension;
    strengths_->setItem(kFillRow, kCColumn, new QTableWidgetItem(QString::fromStdString(e.value("c.fill"))));
    strengths_->setItem(kFillRow, kPhiColumn, new QTableWidgetItem(QString::fromStdString(e.value("phi.fill"))));
    int first = kFillRow + 1;
    for (const ZoneRows& zone : zonesOf(p)) {
        const QStringList c = listOf(p, zone.cKey);
        const QStringList phi = listOf(p, zone.phiKey);
        for (int i = 0; i < zone.count; ++i) {
            strengths_->setItem(first + i, kCColumn, new QTableWidgetItem(c.value(i).trimmed()));
            strengths_->setItem(first + i, kPhiColumn, new QTableWidgetItem(phi.value(i).trimmed()));
        }
        first += zone.count;
    }
    pileShear_->setText(QString::fromStdString(e.value("pileShear")));
    margin_->setText(QString::fromStdString(e.value("treatedMargin")));
    required_->setText(QString::fromStdString(e.value("stabilityRequired")));
    const std::optional<DesignDemands> remembered = design::rememberedDemands();
    surcharge_->setText(ui::formatDouble(remembered ? remembered->surcharge : 0));
}

std::string StabilityWindow::typedKeys(std::vector<std::pair<std::string, std::string>>& keys) const
{
    for (int row = 0; row < strengths_->rowCount(); ++row)
        for (const int column : {kCColumn, kPhiColumn})
            if (ui::cellText(strengths_, row, column).contains(QLatin1Char(','))) {
                const bool fill = row == kFillRow;
                const QString zone = fill ? QStringLiteral("填土") : ui::cellText(strengths_, row, kZoneColumn);
                const QString what = column == kCColumn ? QStringLiteral("c") : QStringLiteral("φ");
                return ((fill ? zone + QStringLiteral("的") : zone + QStringLiteral("各层的")) + what
                        + QStringLiteral("：每格只填一个数（小数点用“.”）！"))
                    .toStdString();
            }
    const auto boxText = [](const QLineEdit* box) { return box->text().trimmed().toStdString(); };
    keys = {{"c.fill", ui::cellText(strengths_, kFillRow, kCColumn).toStdString()},
            {"phi.fill", ui::cellText(strengths_, kFillRow, kPhiColumn).toStdString()}};
    int first = kFillRow + 1;
    for (const ZoneRows& zone : zonesOf(project_)) {
        keys.emplace_back(zone.cKey, ui::columnList(strengths_, first, zone.count, kCColumn));
        keys.emplace_back(zone.phiKey, ui::columnList(strengths_, first, zone.count, kPhiColumn));
        first += zone.count;
    }
    keys.emplace_back("pileShear", boxText(pileShear_));
    keys.emplace_back("treatedMargin", boxText(margin_));
    keys.emplace_back("stabilityRequired", boxText(required_));
    return {};
}

// The inputs are checked on a copy and stored in the project only when the
// copy accepts them, so that a refused value never reaches the file.
void StabilityWindow::computeAndShow()
{
    std::vector<std::pair<std::string, std::string>> keys;
    std::string refusal = typedKeys(keys);
    ProjectData copy = project_;
    for (const auto& [key, value] : keys)
        copy.extension.set(key, value);
    const std::optional<double> q = ui::parseDouble(surcharge_->text());
    if (refusal.empty() && (!q || !demandsFault(DesignDemands{*q}).empty()))
        refusal = kSurchargeLabel.toStdString() + "：附加荷载q应为不小于0的数！";
    copy.deriveEquivalentDiameter();
    const ExtensionInputs inputs = readExtensionInputs(copy);
    const StabilityOutcome outcome = refusal.empty() ? stabilityOutcome(copy, inputs, *q) : StabilityOutcome{};
    if (outcome.state == StabilityState::Refused)
        refusal = outcome.reason;
    clearResults();
    if (!refusal.empty()) {
        status_->setText(inWindowWords(refusal));
        return;
    }
    project_.extension = copy.extension;
    const std::optional<DesignDemands> remembered = design::rememberedDemands();
    design::rememberDemands(DesignDemands{*q, remembered ? remembered->allowableSettlement : std::nullopt});
    drawSection(copy, outcome.inputs, *q);
    switch (outcome.state) {
    case StabilityState::NotAsked:
        status_->setText(QStringLiteral("请在填土和各层填入抗剪强度c、φ。"));
        return;
    case StabilityState::Checked:
        status_->clear();
        drawing_->showCircles(*outcome.result);
        showFactors(*outcome.result, stabilityCheck(inputs, outcome));
        showSlices(*outcome.result);
        return;
    default:
        status_->setText(inWindowWords(outcome.reason));
    }
}

// The section with the piles of its reinforced zone when the inputs make
// one, else the fill and the strata alone.
void StabilityWindow::drawSection(const ProjectData& design, const StabilityInputs& inputs, double surcharge)
{
    StabilitySection section;
    const bool built = stabilitySection(design, inputs, surcharge, section).empty();
    drawing_->showSection(project_, built ? section.treatedLeft : 0, built ? section.treatedRight : 0);
}

void StabilityWindow::clearResults()
{
    drawing_->clearCircles();
    factors_->clear();
    slicesTitle_->clear();
    slices_->setRowCount(0);
}

// Both sides' least factors, then the design's against the required one
// with the verdict the design's assessment gives of this very outcome.
void StabilityWindow::showFactors(const StabilityResult& r, const std::optional<CheckOutcome>& o)
{
    QStringList lines;
    for (const SideStability* s : {&r.left, &r.right})
        lines << QStringLiteral("%1侧最小安全系数 F = %2（圆心 (%3, %4) m，半径 %5 m）")
                     .arg(sideName(s->side), factorText(s->least.factor), ui::formatResult2(s->circle.xc),
                          ui::formatResult2(s->circle.yc), ui::formatResult2(s->circle.radius));
    const QString factor = QStringLiteral("整体稳定安全系数 F = %1（%2侧）").arg(factorText(r.factor), sideName(r.side));
    if (!o)
        lines << factor + QStringLiteral("；未给出要求的安全系数[F]，不作验算。");
    else if (!o->ok)
        lines << QStringLiteral("整体稳定：未能验算（%1）").arg(inWindowWords(o->reason));
    else
        lines << factor + QStringLiteral(" %1 [F] = %2：%3")
                              .arg(*o->ok ? QStringLiteral("≥") : QStringLiteral("<"), ui::formatDouble(o->limit),
                                   *o->ok ? QStringLiteral("满足") : QStringLiteral("不满足"));
    lines << QStringLiteral("共试算滑弧 %1 条（简化 Bishop 法）。").arg(r.circlesTried);
    factors_->setText(lines.join(QLatin1Char('\n')));
}

void StabilityWindow::showSlices(const StabilityResult& r)
{
    const std::vector<StabilitySlice>& slices = r.critical().least.slices;
    slicesTitle_->setText(
        QStringLiteral("临界滑弧（%1侧）的土条，共%2条：").arg(sideName(r.side), ui::formatInt(static_cast<int>(slices.size()))));
    slices_->setRowCount(static_cast<int>(slices.size()));
    for (int row = 0; row < slices_->rowCount(); ++row) {
        const StabilitySlice& s = slices[row];
        const QString cells[] = {ui::formatResult2(s.x),      ui::formatResult(s.width, 3),
                                 ui::formatResult2(s.baseAngle), ui::formatResult2(s.weight),
                                 ui::formatResult2(s.c),      ui::formatResult2(s.phi),
                                 s.reinforced ? QStringLiteral("是") : QStringLiteral("否")};
        for (int column = 0; column < 7; ++column)
            slices_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

void StabilityWindow::keyPressEvent(QKeyEvent* event)
{
    if (!ui::runOrCloseOnKey(*this, *event, [this] { computeAndShow(); }))
        QWidget::keyPressEvent(event);
}

}  // namespace stability
