// The soil profile window ("土层剖面"): the strata of a borehole log in a
// table (added, deleted, moved and edited in place, imported from CSV,
// pasted from a spreadsheet, exported), a drawing of them with the pile, and
// "按剖面分层", which after a confirmation splits the profile at the pile's
// H and L into g_project's three layer zones.
#pragma once

#include "forms/profile/profile_drawing.h"
#include "model/soil_profile.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QTableWidget;

class ProfileWindow : public QDialog {
    Q_OBJECT
public:
    // The pile as the opening form shows it; its H and L cut the zones.
    explicit ProfileWindow(const PileShape& pile, QWidget* parent = nullptr);

    void setProfile(const SoilProfile& profile);

    // Asks for the CSV file to import or to export to; an empty text when the
    // user cancels. File dialogs unless replaced (tests do).
    std::function<QString(QWidget*)> chooseFileToImport;
    std::function<QString(QWidget*)> chooseFileToExport;

private slots:
    void OnAddStratum();
    void OnDeleteStratum();
    void OnMoveUp();
    void OnMoveDown();
    void OnImport();
    void OnPaste();
    void OnExport();
    void OnApply();
    void OnTableChanged();

private:
    struct TableProfile {
        SoilProfile profile;
        QString error;  // the first cell that is not a number
    };
    TableProfile tableProfile() const;
    void moveCurrentRow(int by);
    void showRead(const ProfileRead& read);
    bool confirmSplit(const ZoneLayers& zones);

    PileShape pile_;
    QTableWidget* table_;
    ProfileDrawing* drawing_;
    QLabel* status_;
    QString importedFile_;  // the borehole table read last, never written over
};

// The profile applied last in this session, while g_project's layers are
// still its split at g_project's H and L; nothing otherwise.
std::optional<SoilProfile> appliedProfile();
// The profile the window opens on: the applied one, else the record's own
// layers merged into strata.
SoilProfile currentProfile();

// Opens the window modally for a form showing that pile; true when the
// profile was applied to g_project (its H, L and three layer zones).
bool openSoilProfile(QWidget* parent, const PileShape& pile);
