// The layers of one soil zone in a list, one row per layer; a clicked row is
// loaded into the three boxes below, where it can be changed and stored.
#pragma once

#include "ui/layer_table_dialog.h"

#include <memory>

namespace Ui {
class SoilTableDialog;
}

class CSoilTableDialog : public ui::LayerTableDialog {
    Q_OBJECT
public:
    explicit CSoilTableDialog(QWidget* parent = nullptr);
    ~CSoilTableDialog() override;

    int zone = 0;  // 1 head, 2 shaft, 3 base

    // The button "确定" and Enter.
    void accept() override;

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void FillList() override;
    void OnClickList();
    void OnOK();
    int FirstSelectedRow() const;
    void StoreEditsInto(int layer) override;

    double soilModulus = 0.0;
    double thickness = 0.0;
    double unitWeight = 0.0;
    std::unique_ptr<Ui::SoilTableDialog> ui_;
};
