// Renders every form of both workflows, filled from a project file, to PNG
// files for the documentation:  orvane-screenshots PROJECT_FILE OUTPUT_FOLDER
// Runs without a display (QT_QPA_PLATFORM=offscreen).
#include "about_dialog.h"
#include "main_dialog.h"
#include "forms/capacity/capacity_dialog.h"
#include "forms/capacity/capacity_result_dialog.h"
#include "forms/capacity/friction_layer_dialog.h"
#include "forms/capacity/friction_table_dialog.h"
#include "forms/capacity/pile_result_dialog.h"
#include "forms/design/design_dialog.h"
#include "forms/profile/profile_window.h"
#include "forms/project_info/project_info_dialog.h"
#include "forms/details/capacity_details_window.h"
#include "forms/details/settlement_details_window.h"
#include "forms/settlement/settlement_dialog.h"
#include "forms/settlement/settlement_result_dialog.h"
#include "forms/settlement/soil_layer_dialog.h"
#include "forms/settlement/soil_table_dialog.h"
#include "model/display_rounding.h"
#include "model/project_data.h"
#include "ui/dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kActivationTimeoutMs = 2000;

// The form active, as the user meets it, with the focus where the form puts
// it: left to chance, the focus frame would be drawn in some runs only.
void activate(QWidget& form)
{
    form.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (!form.isActiveWindow() && waited.elapsed() < kActivationTimeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

class ScreenshotWriter {
public:
    explicit ScreenshotWriter(const QString& folder) : folder_(folder) {}

    // Shows the form as the user first sees it and saves its picture.
    bool save(QWidget& form, const QString& name)
    {
        form.show();
        activate(form);
        const QString path = folder_.filePath(name + QStringLiteral(".png"));
        const bool saved = form.grab().save(path);
        form.close();
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        return saved;
    }

private:
    QDir folder_;
};

bool saveCapacityWorkflow(ScreenshotWriter& writer)
{
    bool ok = true;
    CCapacityDialog capacity;
    capacity.layout = 0;
    ok &= writer.save(capacity, QStringLiteral("capacity-form"));

    CFrictionLayerDialog layer;
    layer.isHeadZone = false;
    layer.layerNumber = 1;
    layer.isLastLayer = g_project.shaftLayerCount == 1;
    layer.totalThickness = round3(g_project.pileLength - g_project.headLength);
    layer.remainingThickness = layer.totalThickness;
    layer.thickness = g_project.shaftThickness[1];
    layer.friction = g_project.shaftFriction[1];
    ok &= writer.save(layer, QStringLiteral("friction-layer-entry"));

    CFrictionTableDialog table;
    table.isHeadZone = false;
    ok &= writer.save(table, QStringLiteral("friction-table"));

    g_project.deriveEquivalentDiameter();
    const double composite = g_project.computeCapacity();
    CPileResultDialog pileResult;
    pileResult.singlePileCapacity = round2(g_project.pileCapacity);
    ok &= writer.save(pileResult, QStringLiteral("pile-result"));

    CCapacityResultDialog capacityResult;
    capacityResult.singlePileCapacity = round2(g_project.pileCapacity);
    capacityResult.compositeCapacity = round2(composite);
    ok &= writer.save(capacityResult, QStringLiteral("capacity-result"));

    details::CapacityDetailsWindow capacityDetails(g_project);
    ok &= writer.save(capacityDetails, QStringLiteral("capacity-details"));
    return ok;
}

bool saveSoilLayerEntry(ScreenshotWriter& writer, int zone, int layerNumber, bool isLastLayer, const QString& name)
{
    const LayerTable& thicknesses = zone == 1 ? g_project.headThickness : zone == 2 ? g_project.shaftThickness
                                                                                   : g_project.baseThickness;
    const LayerTable& moduli = zone == 1 ? g_project.headSoilModulus : zone == 2 ? g_project.shaftSoilModulus
                                                                                : g_project.baseSoilModulus;
    const LayerTable& unitWeights = zone == 1 ? g_project.headUnitWeight : zone == 2 ? g_project.shaftUnitWeight
                                                                                    : g_project.baseUnitWeight;
    CSoilLayerDialog layer;
    layer.zone = zone;
    layer.layerNumber = layerNumber;
    layer.isLastLayer = isLastLayer;
    layer.totalThickness = round3(g_project.pileLength - g_project.headLength);
    layer.remainingThickness = layer.totalThickness;
    layer.thickness = thicknesses[layerNumber];
    layer.soilModulus = moduli[layerNumber];
    layer.unitWeight = unitWeights[layerNumber];
    return writer.save(layer, name);
}

bool saveSettlementWorkflow(ScreenshotWriter& writer)
{
    bool ok = true;
    CSettlementDialog settlement;
    settlement.layout = 0;
    ok &= writer.save(settlement, QStringLiteral("settlement-form"));

    ok &= saveSoilLayerEntry(writer, 2, 1, g_project.shaftLayerCount == 1, QStringLiteral("soil-layer-entry"));
    ok &= saveSoilLayerEntry(writer, 3, usedLayers(g_project.baseLayerCount), true,
                             QStringLiteral("soil-layer-entry-last-base-layer"));

    CSoilTableDialog table;
    table.zone = 3;
    ok &= writer.save(table, QStringLiteral("soil-table"));

    CSettlementResultDialog result;
    result.settlement = round2(g_project.settlementByCriterion());
    ok &= writer.save(result, QStringLiteral("settlement-result"));

    details::SettlementDetailsWindow settlementDetails(g_project);
    ok &= writer.save(settlementDetails, QStringLiteral("settlement-details"));
    return ok;
}

void typeInto(CDesignDialog& window, const char* box, const QString& text)
{
    window.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
}

// Runs the sweep typed into the window and waits until it is shown.
void runSweep(CDesignDialog& window)
{
    QEventLoop loop;
    QObject::connect(&window, &CDesignDialog::sweepShown, &loop, &QEventLoop::quit);
    window.findChild<QPushButton*>(QStringLiteral("runButton"))->click();
    loop.exec();
}

// The square-spacing sweep of the worked example against q = 40 kPa and
// [s] = 75 mm, its table and both charts; then a grid with the head diameter.
bool saveDesignWindow(ScreenshotWriter& writer)
{
    bool ok = true;
    CDesignDialog window;
    window.show();
    for (const auto& [box, text] : {std::pair{"firstFromEdit", "1"}, {"firstToEdit", "4"}, {"firstStepEdit", "0.05"},
                                    {"surchargeEdit", "40"}, {"allowableSettlementEdit", "75"}})
        typeInto(window, box, QString::fromLatin1(text));
    runSweep(window);
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("resultTabs"));
    ok &= writer.save(window, QStringLiteral("design-window-table"));
    window.show();
    tabs->setCurrentIndex(1);
    ok &= writer.save(window, QStringLiteral("design-window-capacity"));
    window.show();
    tabs->setCurrentIndex(2);
    ok &= writer.save(window, QStringLiteral("design-window-settlement"));

    window.show();
    window.findChild<QGroupBox*>(QStringLiteral("gridGroup"))->setChecked(true);
    auto* second = window.findChild<QComboBox*>(QStringLiteral("secondFieldCombo"));
    second->setCurrentIndex(second->findData(QStringLiteral("headDiameter")));
    for (const auto& [box, text] : {std::pair{"firstStepEdit", "0.02"}, {"secondFromEdit", "0.5"},
                                    {"secondToEdit", "1.5"}, {"secondStepEdit", "0.01"}})
        typeInto(window, box, QString::fromLatin1(text));
    runSweep(window);
    tabs->setCurrentIndex(3);
    ok &= writer.save(window, QStringLiteral("design-window-grid"));
    return ok;
}

bool saveSoilProfile(ScreenshotWriter& writer)
{
    const ProjectData& p = g_project;
    ProfileWindow profile({p.headDiameter, p.shaftDiameter, p.headLength, p.pileLength});
    profile.setProfile(currentProfile());
    return writer.save(profile, QStringLiteral("soil-profile"));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane-screenshots PROJECT_FILE OUTPUT_FOLDER\n");
        return 2;
    }
    ui::installFontSubstitutions();
    // A steady text cursor: a blinking one is caught on or off by chance.
    QApplication::setCursorFlashTime(0);
    const FileStatus loaded = g_project.loadProject(argv[1]);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s: %s\n", argv[1], loaded.reason.c_str());
        return 1;
    }
    const QString folder = QFile::decodeName(argv[2]);
    QDir().mkpath(folder);
    ScreenshotWriter writer(folder);

    bool ok = true;
    CMainDialog mainWindow;
    ok &= writer.save(mainWindow, QStringLiteral("main-window"));
    CAboutDialog about;
    ok &= writer.save(about, QStringLiteral("about"));
    ok &= saveCapacityWorkflow(writer);
    ok &= saveSettlementWorkflow(writer);
    ProjectInfoDialog projectInfo;
    ok &= writer.save(projectInfo, QStringLiteral("project-info"));
    // The design window remembers its demands; keep them out of the user's settings.
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    ok &= saveDesignWindow(writer);
    ok &= saveSoilProfile(writer);
    return ok ? 0 : 1;
}
