// The layers of one soil zone in a list, one row per layer; a clicked row is
// loaded into the three boxes below, where it can be changed and stored.
#pragma once

#include "ui/dialog.h"

#include <memory>

namespace Ui {
class SoilTableDialog;
}

class CSoilTableDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CSoilTableDialog(QWidget* parent = nullptr);
    ~CSoilTableDialog() override;

    int zone = 0;            // 1 head, 2 shaft, 3 base
    int selectedLayer = -1;  // layer of the last clicked row, -1 before any

    // The button "确定" and Enter.
    void accept() override;

protected:
    void exchange(ui::DataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void FillList();
    void OnClickList();
    void OnModify();
    void OnOK();
    // Stores the boxes into the clicked layer, if any; false when a box
    // could not be read.
    bool ApplySelectedRow();
    int FirstSelectedRow() const;
    void StoreEditsInto(int layer);

    double soilModulus = 0.0;
    double thickness = 0.0;
    double unitWeight = 0.0;
    std::unique_ptr<Ui::SoilTableDialog> ui_;
};
