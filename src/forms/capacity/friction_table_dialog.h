// The side-friction layers of one zone listed in a table, where a clicked
// row can be changed; closing with OK insists that the layers still fill
// the zone.
#pragma once

#include "ui/layer_table_dialog.h"

#include <memory>

namespace Ui {
class FrictionTableDialog;
}

class CFrictionTableDialog : public ui::LayerTableDialog {
    Q_OBJECT
public:
    explicit CFrictionTableDialog(QWidget* parent = nullptr);
    ~CFrictionTableDialog() override;

    void accept() override;

    bool isHeadZone = false;

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void OnClickList();

private:
    void OnInitDialog();
    void OnOK();
    void FillList() override;
    void StoreEditsInto(int layer) override;

    std::unique_ptr<Ui::FrictionTableDialog> ui_;
    double thickness = 0;  // m
    double friction = 0;   // kPa
};
