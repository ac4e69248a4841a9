#include "forms/capacity/friction_table_dialog.h"

#include "ui_friction_table_dialog.h"

#include "forms/capacity/friction_zone.h"
#include "ui/number_text.h"

#include <QHeaderView>
#include <QShowEvent>

#include <algorithm>

CFrictionTableDialog::CFrictionTableDialog(QWidget* parent)
    : ui::LayerTableDialog(parent), ui_(std::make_unique<Ui::FrictionTableDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    ui::setFormFont(this, 12);
    connect(ui_->layerList, &QAbstractItemView::clicked, this, &CFrictionTableDialog::OnClickList);
    connect(ui_->modifyButton, &QPushButton::clicked, this, &CFrictionTableDialog::OnModify);
}

CFrictionTableDialog::~CFrictionTableDialog() = default;

void CFrictionTableDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->thicknessEdit, thickness);
    dx.text(ui_->frictionEdit, friction);
}

void CFrictionTableDialog::showEvent(QShowEvent* event)
{
    ui::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        OnInitDialog();
    }
}

void CFrictionTableDialog::OnInitDialog()
{
    QHeaderView* header = ui_->layerList->horizontalHeader();
    header->setFont(font());
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->resizeSection(0, 70);
    header->resizeSection(1, 120);
    header->resizeSection(2, 170);
    FillList();
    ui_->layerList->setFocus();
}

void CFrictionTableDialog::FillList()
{
    QTableWidget* list = ui_->layerList;
    list->setRowCount(0);
    const FrictionZone zone = frictionZone(isHeadZone);
    for (int k = 1; k <= usedLayers(zone.layerCount); ++k) {
        const int row = list->rowCount();
        list->insertRow(row);
        list->setItem(row, 0, new QTableWidgetItem(QString::number(k)));
        list->setItem(row, 1, new QTableWidgetItem(ui::formatFixed6(zone.thickness[k])));
        list->setItem(row, 2, new QTableWidgetItem(ui::formatFixed6(zone.friction[k])));
    }
    showForm();
}

// The boxes take the clicked layer's values from the record, not from the
// row's text. A click beside the rows selects nothing and changes nothing;
// while a box cannot be read, the click only says so and loads no layer.
void CFrictionTableDialog::OnClickList()
{
    const QModelIndexList rows = ui_->layerList->selectionModel()->selectedRows();
    if (rows.isEmpty() || !readForm()) {
        return;
    }
    const auto topmost = std::min_element(rows.begin(), rows.end(),
        [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const int layer = topmost->row() + 1;
    const FrictionZone zone = frictionZone(isHeadZone);
    thickness = zone.thickness[layer];
    friction = zone.friction[layer];
    showForm();
    selectedLayer = layer;
}

void CFrictionTableDialog::StoreEditsInto(int layer)
{
    const FrictionZone zone = frictionZone(isHeadZone);
    zone.thickness[layer] = thickness;
    zone.friction[layer] = friction;
}

void CFrictionTableDialog::accept()
{
    OnOK();
}

void CFrictionTableDialog::OnOK()
{
    if (!ApplySelectedRow()) {
        return;
    }
    const FrictionZone zone = frictionZone(isHeadZone);
    if (refused(ui::layerTableSumFault(isHeadZone, sumLayers(zone.thickness, zone.layerCount), zone.length))) {
        return;
    }
    ui::Dialog::accept();
}
