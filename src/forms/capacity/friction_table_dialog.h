// The side-friction layers of one zone listed in a table, where a clicked
// row can be changed; closing with OK insists that the layers still fill
// the zone.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class FrictionTableDialog;
}

class CFrictionTableDialog : public ui::Dialog {
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
    void OnModify();

private:
    void OnInitDialog();
    void OnOK();
    void FillList();
    bool ApplySelectedRow();
    void storeSelectedLayer();

    std::unique_ptr<Ui::FrictionTableDialog> ui_;
    int selectedLayer = -1;  // 1-based layer of the row last clicked
    double thickness = 0;    // m
    double friction = 0;     // kPa
};
