#include "forms/settlement/soil_table_dialog.h"

#include "forms/settlement/soil_zone.h"
#include "model/project_data.h"
#include "ui/number_text.h"
#include "ui_soil_table_dialog.h"

#include <QHeaderView>
#include <QShowEvent>

namespace {

// Column widths of the list in pixels: layer, thickness, modulus, unit weight.
constexpr int kColumnWidths[] = {60, 120, 135, 121};

QTableWidgetItem* listItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

}  // namespace

CSoilTableDialog::CSoilTableDialog(QWidget* parent)
    : ui::LayerTableDialog(parent), ui_(std::make_unique<Ui::SoilTableDialog>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui::setFormFont(this, 12);
    // The header would otherwise keep the style's own header font.
    ui_->layerList->horizontalHeader()->setFont(font());
    connect(ui_->layerList, &QTableWidget::cellClicked, this, &CSoilTableDialog::OnClickList);
    connect(ui_->modifyButton, &QPushButton::clicked, this, &CSoilTableDialog::OnModify);
    connect(ui_->okButton, &QPushButton::clicked, this, &CSoilTableDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CSoilTableDialog::reject);
}

CSoilTableDialog::~CSoilTableDialog() = default;

void CSoilTableDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ui_->soilModulusEdit, soilModulus);
    dx.text(ui_->thicknessEdit, thickness);
    dx.text(ui_->unitWeightEdit, unitWeight);
}

void CSoilTableDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnInitDialog();
    ui::Dialog::showEvent(event);
}

void CSoilTableDialog::OnInitDialog()
{
    showForm();
    for (int column = 0; column < 4; ++column)
        ui_->layerList->setColumnWidth(column, kColumnWidths[column]);
    FillList();
    ui_->layerList->setFocus(Qt::TabFocusReason);
}

void CSoilTableDialog::FillList()
{
    const SoilZone tables = soilZone(zone);
    const int count = usedLayers(tables.layerCount);
    QTableWidget* list = ui_->layerList;
    list->clearContents();
    list->setRowCount(count);
    for (int layer = 1; layer <= count; ++layer) {
        const int row = layer - 1;
        list->setItem(row, 0, listItem(QString::number(layer)));
        list->setItem(row, 1, listItem(ui::formatFixed6(tables.thickness[layer])));
        list->setItem(row, 2, listItem(ui::formatFixed6(tables.soilModulus[layer])));
        list->setItem(row, 3, listItem(ui::formatFixed6(tables.unitWeight[layer])));
    }
    showForm();
}

// The topmost selected row; -1 when none is selected.
int CSoilTableDialog::FirstSelectedRow() const
{
    const QTableWidget* list = ui_->layerList;
    for (int row = 0; row < list->rowCount(); ++row) {
        if (list->selectionModel()->isRowSelected(row, QModelIndex()))
            return row;
    }
    return -1;
}

// Connected to mouse clicks only: moving the selection with the keyboard
// leaves the boxes as they are.
void CSoilTableDialog::OnClickList()
{
    const int row = FirstSelectedRow();
    if (row < 0 || !readForm())
        return;
    const QTableWidgetItem* number = ui_->layerList->item(row, 0);
    if (number == nullptr || number->text().isEmpty())
        return;
    const SoilLayer layer = soilZone(zone).layer(row + 1);
    thickness = layer.thickness;
    soilModulus = layer.soilModulus;
    unitWeight = layer.unitWeight;
    showForm();
    selectedLayer = row + 1;
}

void CSoilTableDialog::StoreEditsInto(int layer)
{
    soilZone(zone).store(layer, {thickness, soilModulus, unitWeight});
}

void CSoilTableDialog::accept()
{
    OnOK();
}

void CSoilTableDialog::OnOK()
{
    if (!ApplySelectedRow())
        return;
    const ProjectData& p = g_project;
    if (zone == 1 &&
        refused(ui::layerTableSumFault(true, sumLayers(p.headThickness, p.headLayerCount), p.headLength)))
        return;
    if (zone == 2 && refused(ui::layerTableSumFault(false, sumLayers(p.shaftThickness, p.shaftLayerCount),
                                                    p.pileLength - p.headLength)))
        return;
    QDialog::accept();
}
