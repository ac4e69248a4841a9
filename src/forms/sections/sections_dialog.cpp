#include "forms/sections/sections_dialog.h"

#include "output/sections_chart.h"
#include "output/sweep_csv.h"
#include "forms/design/remembered_demands.h"
#include "forms/details/report_export.h"
#include "model/csv_table.h"
#include "model/file_reasons.h"
#include "model/platform.h"
#include "engine/time_settlement.h"
#include "report/report_conclusions.h"
#include "report/report_figures.h"
#include "report/road_report.h"
#include "ui/dialog.h"
#include "ui/number_text.h"
#include "ui/owned_window.h"
#include "ui/project_file_flow.h"
#include "ui/services.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kPollMs = 40;

enum Column {
    kStation, kHeight, kPileCapacity, kComposite, kDemand, kSettlement, kBearingOk, kSettlementOk, kGoverns,
    kLocation, kAllowance, kPostConstruction, kVerdict, kColumnCount
};

const char* const kHeaders[kColumnCount] = {"桩号", "填土高度h（m）", "Ra（kN）", "fspk（kPa）", "p0+q（kPa）",
                                            "沉降s（mm）", "承载力验算", "沉降验算", "控制断面",
                                            "路段类型", "[s工后]（mm）", "工后沉降（mm）", "验算结论"};

// Sorts by its number (the chainage for a station), not by its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double key) : QTableWidgetItem(text) { setData(Qt::UserRole, key); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        const double a = data(Qt::UserRole).toDouble();
        const double b = other.data(Qt::UserRole).toDouble();
        return std::isnan(a) ? false : std::isnan(b) || a < b;
    }
};

QString checkText(const SweepPoint& p, std::optional<bool> ok)
{
    if (!p.valid() || !ok)
        return {};
    return *ok ? QStringLiteral("满足") : QStringLiteral("不满足");
}

QString shown(double value) { return std::isfinite(value) ? ui::formatResult2(value) : QString(); }

QString askCsvByDialog(QWidget* parent, const QString& caption, bool save)
{
    const QString filter = QStringLiteral("CSV 文件 (*.csv)");
    return save ? ui::askFileToSave(parent, caption, filter, QStringLiteral("csv"))
                : ui::askFileToOpen(parent, caption, filter);
}

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

CSectionsDialog::CSectionsDialog(QWidget* parent)
    : QDialog(parent),
      askTableFileName([](QWidget* w) { return askCsvByDialog(w, QStringLiteral("载入断面表"), false); }),
      askCsvFileName([](QWidget* w) { return askCsvByDialog(w, QStringLiteral("导出路段计算表"), true); }),
      base_(g_project)
{
    setWindowTitle(QStringLiteral("路段计算"));
    ui::setFormFont(this, 9);
    resize(980, 620);

    tableEdit_ = new QLineEdit(this);
    tableEdit_->setObjectName(QStringLiteral("tableEdit"));
    tableEdit_->setReadOnly(true);
    loadButton_ = new QPushButton(QStringLiteral("载入断面表…"), this);
    loadButton_->setObjectName(QStringLiteral("loadButton"));
    pasteButton_ = new QPushButton(QStringLiteral("粘贴断面表"), this);
    pasteButton_->setObjectName(QStringLiteral("pasteButton"));
    surcharge_ = new QLineEdit(QStringLiteral("0"), this);
    surcharge_->setObjectName(QStringLiteral("surchargeEdit"));
    allowable_ = new QLineEdit(this);
    allowable_->setObjectName(QStringLiteral("allowableSettlementEdit"));
    runButton_ = new QPushButton(QStringLiteral("开始计算"), this);
    runButton_->setObjectName(QStringLiteral("runButton"));
    // Enter in any box starts the calculation, as in the design window.
    runButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("取消计算"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setEnabled(false);
    exportButton_ = new QPushButton(QStringLiteral("导出CSV…"), this);
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    exportButton_->setEnabled(false);
    reportButton_ = new QPushButton(details::kExportReportCaption, this);
    reportButton_->setObjectName(QStringLiteral("exportReportButton"));
    reportButton_->setEnabled(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progressBar"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    table_ = new QTableWidget(0, kColumnCount, this);
    table_->setObjectName(QStringLiteral("summaryTable"));
    for (int c = 0; c < kColumnCount; ++c)
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kHeaders[c])));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSortIndicator(kStation, Qt::AscendingOrder);  // along the road
    chart_ = new QSvgWidget(this);
    chart_->setObjectName(QStringLiteral("longitudinalChart"));
    chart_->setMinimumHeight(200);

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("断面表："), this), 0, 0);
    inputs->addWidget(tableEdit_, 0, 1, 1, 3);
    inputs->addWidget(loadButton_, 0, 4);
    inputs->addWidget(pasteButton_, 0, 5);
    inputs->addWidget(new QLabel(QStringLiteral("附加荷载q（kPa）："), this), 1, 0);
    inputs->addWidget(surcharge_, 1, 1);
    inputs->addWidget(new QLabel(QStringLiteral("容许沉降[s]（mm）："), this), 1, 2);
    inputs->addWidget(allowable_, 1, 3);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{runButton_, cancelButton_, progress_, exportButton_, reportButton_})
        buttons->addWidget(w);
    auto* page = new QVBoxLayout(this);
    page->addLayout(inputs);
    page->addLayout(buttons);
    page->addWidget(summary_);
    page->addWidget(table_, 1);
    page->addWidget(chart_, 1);

    connect(loadButton_, &QPushButton::clicked, this, &CSectionsDialog::loadTable);
    connect(pasteButton_, &QPushButton::clicked, this, &CSectionsDialog::pasteTable);
    connect(runButton_, &QPushButton::clicked, this, &CSectionsDialog::run);
    connect(cancelButton_, &QPushButton::clicked, this, &CSectionsDialog::cancel);
    connect(exportButton_, &QPushButton::clicked, this, &CSectionsDialog::exportCsv);
    connect(reportButton_, &QPushButton::clicked, this, &CSectionsDialog::exportReport);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { adoptSection(row); });
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &CSectionsDialog::poll);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(button == runButton_);
    restoreDemands();
    ui::placeWindow(this, parent);
}

void CSectionsDialog::restoreDemands()
{
    const std::optional<DesignDemands> demands = design::rememberedDemands();
    if (!demands)
        return;
    surcharge_->setText(ui::formatDouble(demands->surcharge));
    if (demands->allowableSettlement)
        allowable_->setText(ui::formatDouble(*demands->allowableSettlement));
}

// Esc or the close button: results of a run are lost with the window, so
// the user is asked first; a run still computing is cancelled.
void CSectionsDialog::reject()
{
    const bool resultsShown = !points_.empty() || worker_.joinable();
    if (resultsShown) {
        const auto answer = QMessageBox::question(this, QStringLiteral("Orvane"),
                                                  QStringLiteral("关闭窗口将丢弃本次路段计算的结果。是否关闭？"));
        if (answer != QMessageBox::Yes)
            return;
    }
    QDialog::reject();
}

CSectionsDialog::~CSectionsDialog()
{
    if (worker_.joinable()) {
        runProgress_->cancelled = true;
        worker_.join();
    }
}

void CSectionsDialog::loadTable()
{
    const QString file = askTableFileName(this);
    if (file.isEmpty())
        return;
    tablePath_ = utf8(file);
    std::string bytes;
    const SectionTableRead read = loadSectionTable(tablePath_, &bytes);
    if (read.ok()) {
        tableName_ = QFileInfo(file).fileName();
        tableBytes_ = std::move(bytes);
    }
    takeTable(read, QDir::toNativeSeparators(file));
}

// Cells copied from a spreadsheet arrive as tab-separated text; profiles are
// found beside the table loaded last, else as written.
void CSectionsDialog::pasteTable()
{
    const std::string table = tablePath_;
    const auto loadProfile = [table](const std::string& file) { return loadProfileCsv(pathBesideTable(table, file)); };
    const std::string pasted = utf8(QApplication::clipboard()->text());
    const SectionTableRead read = readSectionTable(pasted, loadProfile);
    if (read.ok()) {
        tableName_ = QStringLiteral("粘贴的断面表");
        tableBytes_ = pasted;
    }
    takeTable(read, QStringLiteral("（粘贴）"));
}

void CSectionsDialog::takeTable(const SectionTableRead& read, const QString& source)
{
    if (!read.ok()) {
        ui::services().showMessage(this, QString::fromStdString(shownReasons(read.errors)));
        return;
    }
    sections_ = read.sections;
    points_.clear();
    table_->setRowCount(0);
    exportButton_->setEnabled(false);
    reportButton_->setEnabled(false);
    tableEdit_->setText(source);
    summary_->setText(QStringLiteral("共%1个断面。").arg(sections_.size()));
}

void CSectionsDialog::run()
{
    if (sections_.empty()) {
        ui::services().showMessage(this, QStringLiteral("请先载入或粘贴断面表！"));
        return;
    }
    const std::optional<double> q = ui::parseDouble(surcharge_->text());
    const std::optional<double> s = ui::parseDouble(allowable_->text());
    if (!q || (!s && !allowable_->text().trimmed().isEmpty())) {
        ui::services().showMessage(this, QStringLiteral("请输入正确的附加荷载q和容许沉降[s]！"));
        return;
    }
    demands_ = {*q, s};
    if (const std::string fault = demandsFault(demands_); !fault.empty()) {
        ui::services().showMessage(this, QString::fromStdString(fault));
        return;
    }
    design::rememberDemands(demands_);
    if (const double slices = sectionsSlices(base_, sections_, demands_); slices > kMaxSweepSlices) {
        ui::services().showMessage(this, QStringLiteral("断面过多或土层过厚，计算量太大！（需计算约%1个沉降分片，上限%2个）")
                                             .arg(slices, 0, 'g', 3)
                                             .arg(kMaxSweepSlices, 0, 'g', 3));
        return;
    }
    runProgress_ = std::make_unique<SectionsProgress>();
    workerDone_ = false;
    progress_->setRange(0, static_cast<int>(sections_.size()));
    progress_->setValue(0);
    setRunning(true);
    worker_ = std::thread([this] {
        computed_ = computeSections(base_, sections_, demands_, runProgress_.get());
        workerDone_ = true;
    });
    poll_.start();
}

void CSectionsDialog::cancel()
{
    if (runProgress_)
        runProgress_->cancelled = true;
}

void CSectionsDialog::poll()
{
    progress_->setValue(static_cast<int>(runProgress_->done.load()));
    if (!workerDone_)
        return;
    poll_.stop();
    worker_.join();
    setRunning(false);
    if (runProgress_->cancelled) {
        summary_->setText(QStringLiteral("计算已取消。"));
    } else {
        points_ = std::move(computed_);
        showResults();
    }
    emit runEnded();
}

void CSectionsDialog::setRunning(bool running)
{
    for (QPushButton* b : {loadButton_, pasteButton_, runButton_})
        b->setEnabled(!running);
    cancelButton_->setEnabled(running);
}

void CSectionsDialog::showResults()
{
    const GoverningSections governing = governingSections(points_);
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(sections_.size()));
    const std::vector<double> heights = sectionFillHeights(base_, sections_);
    int failing = 0;
    int unchecked = 0;
    int uncomputed = 0;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const SweepPoint& p = points_[i];
        const double height = heights[i];
        failing += p.valid() && p.checks.verdict() == Verdict::Fails ? 1 : 0;
        unchecked += p.valid() && p.checks.verdict() == Verdict::Unchecked ? 1 : 0;
        uncomputed += p.valid() ? 0 : 1;
        QStringList governs;
        if (governing.bearing == i)
            governs << QStringLiteral("承载力");
        if (governing.settlement == i)
            governs << QStringLiteral("沉降");
        const double nan = std::nan("");
        const auto number = [&](double v) { return new NumberItem(p.valid() ? shown(v) : QString(), p.valid() ? v : nan); };
        const int row = static_cast<int>(i);
        auto* station = new NumberItem(QString::fromStdString(sections_[i].station), sections_[i].chainage);
        station->setData(Qt::UserRole + 1, row);
        if (!p.valid())
            station->setToolTip(QString::fromStdString(p.fault));
        table_->setItem(row, kStation, station);
        table_->setItem(row, kHeight, new NumberItem(shown(height), height));
        table_->setItem(row, kPileCapacity, number(p.results.pileCapacity));
        table_->setItem(row, kComposite, number(p.checks.bearingCapacity));
        table_->setItem(row, kDemand, number(p.checks.bearingDemand));
        table_->setItem(row, kSettlement, number(p.checks.settlement));
        table_->setItem(row, kBearingOk, new QTableWidgetItem(checkText(p, p.checks.bearingOk)));
        table_->setItem(row, kSettlementOk, new QTableWidgetItem(checkText(p, p.checks.settlementOk)));
        table_->setItem(row, kGoverns, new QTableWidgetItem(governs.join(QLatin1Char(' '))));
        const std::string location = sectionExtensionValue(base_, sections_[i], "location");
        table_->setItem(row, kLocation, new QTableWidgetItem(QString::fromStdString(allowanceCodeName(location))));
        // NaN, shown empty, where the section is not checked after construction.
        const double allowance = p.checks.allowablePostConstruction.value_or(nan);
        table_->setItem(row, kAllowance, number(allowance));
        table_->setItem(row, kPostConstruction, number(std::isnan(allowance) ? nan : p.checks.postConstruction));
        auto* verdict = new QTableWidgetItem(p.valid() ? designVerdict(p.checks) : QStringLiteral("未计算"));
        verdict->setToolTip(p.valid() ? conclusionSentence(p.checks, demands_.allowableSettlement.has_value())
                                      : QString::fromStdString(p.fault));
        table_->setItem(row, kVerdict, verdict);
    }
    table_->setSortingEnabled(true);
    chart_->load(svgInReportFace(QByteArray::fromStdString(
        sectionsChartSvg(sections_, points_, heights, demands_.allowableSettlement))));
    exportButton_->setEnabled(true);
    reportButton_->setEnabled(true);
    QString summary = failing == 0 && unchecked == 0 && uncomputed == 0
                          ? QStringLiteral("共%1个断面，全部满足验算要求。").arg(sections_.size())
                          : QStringLiteral("共%1个断面，%2个不满足验算要求。").arg(sections_.size()).arg(failing);
    if (unchecked > 0)
        summary += QStringLiteral("%1个断面未能验算。").arg(unchecked);
    if (uncomputed > 0)
        summary += QStringLiteral("%1个断面的输入有误，未计算。").arg(uncomputed);
    summary_->setText(summary);
}

QString CSectionsDialog::csvText() const
{
    QString text;
    for (int c = 0; c < kColumnCount; ++c)
        text += QString::fromUtf8(kHeaders[c]) + (c + 1 < kColumnCount ? QStringLiteral(",") : QStringLiteral("\r\n"));
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int c = 0; c < kColumnCount; ++c)
            text += QString::fromStdString(csv_table::csvField(utf8(table_->item(row, c)->text())))
                    + (c + 1 < kColumnCount ? QStringLiteral(",") : QStringLiteral("\r\n"));
    }
    return text;
}

// As shown, in the order shown, with a byte order mark so that a spreadsheet
// of a Chinese system opens it as UTF-8.
void CSectionsDialog::exportCsv()
{
    const QString file = askCsvFileName(this);
    if (file.isEmpty())
        return;
    if (const QString refusal = ui::overwriteRefusal(file, inputFiles(), QStringLiteral("CSV文件")); !refusal.isEmpty()) {
        ui::services().showMessage(this, refusal);
        return;
    }
    const std::string path = utf8(file);
    const platform::FileOutcome written = platform::replaceFile(path, std::string(csv_table::kByteOrderMark) + utf8(csvText()));
    if (written.ok())
        ui::services().showNotice(this, details::exportedNotice(QStringLiteral("CSV文件导出成功！"), file));
    else
        ui::services().showMessage(this, QString::fromStdString(saveFailure(path, written, "CSV文件")));
}

// The files a run read: the section table and the borehole tables it names.
QStringList CSectionsDialog::inputFiles() const
{
    QStringList files;
    if (tablePath_.empty())
        return files;
    files << QString::fromStdString(tablePath_);
    for (const Section& section : sections_)
        if (!section.profileFile.empty())
            files << QString::fromStdString(pathBesideTable(tablePath_, section.profileFile));
    return files;
}

// The road's report of the last run, headed by the project information's
// name, else the project file's, else the table's; the base project is the
// inputs as the window opened, with the project information as it is now.
void CSectionsDialog::exportReport()
{
    if (const std::string fault = roadReportFault(sections_.size()); !fault.empty()) {
        ui::services().showMessage(this, QString::fromStdString(fault));
        return;
    }
    RoadReportRequest request;
    request.base = details::withCurrentProjectInfo(base_);
    request.sections = sections_;
    request.points = points_;
    request.demands = demands_;
    const QString name = details::currentProjectName();
    request.projectName = !name.isEmpty() ? name : QFileInfo(tableName_).completeBaseName();
    request.date = ui::services().now().date();
    request.tableFileName = tableName_;
    request.tableBytes = QByteArray::fromStdString(tableBytes_);
    details::writeReportInteractively(this, inputFiles(), [request](const QString& path, ReportProgress* progress) {
        return writeRoadReport(request, path, progress);
    });
}

void CSectionsDialog::adoptSection(int row)
{
    const int index = table_->item(row, kStation)->data(Qt::UserRole + 1).toInt();
    const Section& section = sections_[static_cast<std::size_t>(index)];
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Orvane"),
        QStringLiteral("将断面%1作为当前工程并打开输入表单？当前工程的输入将被替换。").arg(QString::fromStdString(section.station)));
    if (answer != QMessageBox::Yes)
        return;
    g_project = sectionProject(base_, section);
    ui::forgetProjectFile();
    accept();
}
