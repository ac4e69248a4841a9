#include "forms/design/design_dialog.h"

#include "forms/design/design_fields.h"
#include "forms/design/remembered_demands.h"
#include "forms/design/sweep_run.h"
#include "forms/design/sweep_table_model.h"
#include "forms/profile/profile_window.h"
#include "model/project_data.h"
#include "ui/dialog.h"
#include "ui/number_text.h"
#include "ui/owned_window.h"
#include "ui/services.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Post-construction settlement allowances of the highway subgrade design
// code, shown beside [s] for the engineer to choose from; never filled in.
const QString kAllowanceHint = QStringLiteral(
    "JTG D30 容许工后沉降（mm）：\n"
    "高速公路、一级公路：桥台与路堤相邻处 100，\n涵洞、箱形通道处 200，一般路段 300；\n"
    "二级公路：桥台处 200，涵洞、通道处 300，\n一般路段 500。");

int verticalScrollBarWidth() { return QScrollBar(Qt::Vertical).sizeHint().width(); }

// The controls in a column that scrolls when the window is too low for them
// all (the summary grows with the run), so that no text is squeezed.
QScrollArea* scrolled(QWidget* panel)
{
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("controlsArea"));
    area->setWidget(panel);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFixedWidth(panel->width() + verticalScrollBarWidth());
    return area;
}

}  // namespace

CDesignDialog::CDesignDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      askCsvFileName(&CDesignDialog::askCsvFileNameByDialog), base_(g_project), profile_(appliedProfile())
{
    base_.deriveEquivalentDiameter();
    setWindowTitle(QStringLiteral("方案比选"));
    ui::setFormFont(this, 9);
    auto* page = new QHBoxLayout(this);
    page->addWidget(buildControls());
    page->addWidget(buildResults(), 1);
    resize(1180, 620);

    restoreDemands();
    setRunning(false);
    ui::wheelOnlyWhenFocused(this);
    ui::placeWindow(this, parent);
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
    for (const QString& text : design::criterionCaptions())
        criterion_->addItem(text);
    criterion_->setCurrentIndex(base_.stopCriterion >= 0 && base_.stopCriterion <= 2 ? base_.stopCriterion : 0);
    // On a row of its own: the longest criterion is wider than the label column leaves.
    demandForm->addRow(new QLabel(QStringLiteral("沉降计算终止条件"), demandGroup));
    demandForm->addRow(criterion_);
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

    column->addStretch();
    runButton_ = new QPushButton(QStringLiteral("开始计算"), this);
    runButton_->setObjectName(QStringLiteral("runButton"));
    // Enter in any box starts the calculation, not the first button of the panel.
    runButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("取消"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(runButton_, &QPushButton::clicked, this, &CDesignDialog::OnRun);
    connect(cancelButton_, &QPushButton::clicked, this, &CDesignDialog::OnCancel);
    OnFieldChanged();
    panel->setFixedWidth(std::max(340, panel->sizeHint().width()));

    // The run controls, the progress and the summary of the best design stay
    // in view below the scrolling inputs, however low the window.
    auto* controls = new QWidget(this);
    auto* left = new QVBoxLayout(controls);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(scrolled(panel), 1);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(runButton_);
    runRow->addWidget(cancelButton_);
    left->addLayout(runRow);
    progress_ = new QProgressBar(controls);
    progress_->setObjectName(QStringLiteral("progressBar"));
    left->addWidget(progress_);
    summary_ = new QLabel(controls);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);
    left->addWidget(summary_);
    controls->setFixedWidth(panel->width() + verticalScrollBarWidth());
    return controls;
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

void CDesignDialog::restoreDemands()
{
    const std::optional<DesignDemands> demands = design::rememberedDemands();
    if (!demands)
        return;
    surcharge_->setText(ui::formatDouble(demands->surcharge));
    if (demands->allowableSettlement)
        allowableSettlement_->setText(ui::formatDouble(*demands->allowableSettlement));
}

void CDesignDialog::setRunning(bool running)
{
    runButton_->setEnabled(!running);
    cancelButton_->setEnabled(running);
    for (QPushButton* button : {copyButton_, exportButton_, adoptButton_})
        button->setEnabled(!running && model_->rowCount() > 0);
}
