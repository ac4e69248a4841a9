#include "forms/profile/profile_window.h"

#include "ui/dialog.h"
#include "ui/project_file_flow.h"
#include "ui/services.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace {

enum Column {
    kName, kThickness, kFriction, kModulus, kUnitWeight,
    kCv, kFak, kCohesion, kFrictionAngle, kColumnCount
};

const std::array<const char*, kColumnCount> kHeaders{
    "土层名称", "层厚(m)", "侧摩阻力qs(kPa)", "压缩模量Es(MPa)", "重度γ(kN/m3)",
    "固结系数cv(10⁻³cm²/s)", "地基承载力特征值fak(kPa)", "黏聚力c(kPa)", "内摩擦角φ(°)"};

// The optional properties for the checks, in the columns from kCv on;
// an empty cell leaves the stratum's property unset.
constexpr std::optional<double> Stratum::*kProperties[] = {&Stratum::cv, &Stratum::fak, &Stratum::cohesion,
                                                           &Stratum::frictionAngle};

// Cells copied from a spreadsheet without their header row are taken in the
// table's own column order.
constexpr const char* kPastedHeader = "土层名称\t层厚\t侧摩阻力\t压缩模量\t重度\t固结系数\t地基承载力特征值\t黏聚力\t内摩擦角\n";

const QString kCsvFilter = QStringLiteral("CSV 文件 (*.csv);;文本文件 (*.txt)");

SoilProfile g_lastApplied;

QString numberText(double value) { return QLocale::c().toString(value, 'g', 15); }

QString optionalText(const std::optional<double>& value) { return value ? numberText(*value) : QString(); }

QString countsText(const ZoneLayers& zones)
{
    return QStringLiteral("扩大头范围（0～H）%1 层，下部桩体范围（H～L）%2 层，桩端以下 %3 层")
        .arg(zones.head.size())
        .arg(zones.shaft.size())
        .arg(zones.base.size());
}

QPushButton* addButton(QBoxLayout* row, const QString& text, const char* name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

QString askCsvToOpen(QWidget* parent)
{
    return ui::askFileToOpen(parent, QStringLiteral("导入土层剖面"), kCsvFilter);
}

QString askCsvToSave(QWidget* parent)
{
    return ui::askFileToSave(parent, QStringLiteral("导出土层剖面"), kCsvFilter, QStringLiteral("csv"));
}

}  // namespace

ProfileWindow::ProfileWindow(const PileShape& pile, QWidget* parent)
    : QDialog(parent), chooseFileToImport(askCsvToOpen), chooseFileToExport(askCsvToSave), pile_(pile)
{
    setWindowTitle(QStringLiteral("土层剖面"));
    ui::setFormFont(this, 10);

    table_ = new QTableWidget(0, kColumnCount);
    table_->setObjectName(QStringLiteral("strataTable"));
    QStringList headers;
    for (const char* header : kHeaders)
        headers << QString::fromUtf8(header);
    table_->setHorizontalHeaderLabels(headers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMinimumWidth(520);
    // Tab goes on to the buttons; the arrow keys move between the cells.
    table_->setTabKeyNavigation(false);
    connect(table_, &QTableWidget::itemChanged, this, &ProfileWindow::OnTableChanged);

    auto* editRow = new QHBoxLayout;
    connect(addButton(editRow, QStringLiteral("添加"), "addButton"), &QPushButton::clicked, this,
            &ProfileWindow::OnAddStratum);
    connect(addButton(editRow, QStringLiteral("删除"), "deleteButton"), &QPushButton::clicked, this,
            &ProfileWindow::OnDeleteStratum);
    connect(addButton(editRow, QStringLiteral("上移"), "moveUpButton"), &QPushButton::clicked, this,
            &ProfileWindow::OnMoveUp);
    connect(addButton(editRow, QStringLiteral("下移"), "moveDownButton"), &QPushButton::clicked, this,
            &ProfileWindow::OnMoveDown);
    editRow->addStretch();
    connect(addButton(editRow, QStringLiteral("导入CSV…"), "importButton"), &QPushButton::clicked,
            this, &ProfileWindow::OnImport);
    connect(addButton(editRow, QStringLiteral("粘贴"), "pasteButton"), &QPushButton::clicked, this,
            &ProfileWindow::OnPaste);
    connect(addButton(editRow, QStringLiteral("导出CSV…"), "exportButton"), &QPushButton::clicked,
            this, &ProfileWindow::OnExport);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("splitStatus"));
    status_->setWordWrap(true);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    connect(addButton(closeRow, QStringLiteral("按剖面分层"), "applyButton"), &QPushButton::clicked,
            this, &ProfileWindow::OnApply);
    connect(addButton(closeRow, QStringLiteral("关闭"), "closeButton"), &QPushButton::clicked, this,
            &ProfileWindow::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("自桩顶向下的各土层（最后一层向下无限延伸）：")));
    left->addWidget(table_);
    left->addLayout(editRow);
    left->addWidget(status_);
    left->addLayout(closeRow);

    drawing_ = new ProfileDrawing(pile_);
    drawing_->setObjectName(QStringLiteral("profileDrawing"));
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addWidget(drawing_);
    OnTableChanged();
}

void ProfileWindow::setProfile(const SoilProfile& profile)
{
    QSignalBlocker blocker(table_);
    table_->setRowCount(0);
    for (const Stratum& s : profile) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        table_->setItem(row, kName, new QTableWidgetItem(QString::fromStdString(s.name)));
        table_->setItem(row, kThickness, new QTableWidgetItem(numberText(s.thickness)));
        table_->setItem(row, kFriction, new QTableWidgetItem(optionalText(s.friction)));
        table_->setItem(row, kModulus, new QTableWidgetItem(numberText(s.soilModulus)));
        table_->setItem(row, kUnitWeight, new QTableWidgetItem(numberText(s.unitWeight)));
        for (int column = kCv; column < kColumnCount; ++column)
            table_->setItem(row, column, new QTableWidgetItem(optionalText(s.*kProperties[column - kCv])));
    }
    blocker.unblock();
    OnTableChanged();
}

ProfileWindow::TableProfile ProfileWindow::tableProfile() const
{
    TableProfile read;
    for (int row = 0; row < table_->rowCount() && read.error.isEmpty(); ++row) {
        const auto cell = [&](int column) {
            const QTableWidgetItem* item = table_->item(row, column);
            return item ? item->text().trimmed() : QString();
        };
        const auto number = [&](int column, bool optional) -> std::optional<double> {
            bool ok = false;
            const double value = QLocale::c().toDouble(cell(column), &ok);
            if (ok || (optional && cell(column).isEmpty()))
                return ok ? std::optional(value) : std::nullopt;
            if (read.error.isEmpty())
                read.error = QStringLiteral("第%1层的“%2”不是数字。").arg(row + 1).arg(QString::fromUtf8(kHeaders[column]));
            return std::nullopt;
        };
        Stratum s;
        s.name = cell(kName).toStdString();
        s.thickness = number(kThickness, false).value_or(0.0);
        s.friction = number(kFriction, true);
        s.soilModulus = number(kModulus, false).value_or(0.0);
        s.unitWeight = number(kUnitWeight, false).value_or(0.0);
        for (int column = kCv; column < kColumnCount; ++column)
            s.*kProperties[column - kCv] = number(column, true);
        read.profile.push_back(std::move(s));
    }
    return read;
}

void ProfileWindow::OnTableChanged()
{
    const TableProfile read = tableProfile();
    drawing_->setProfile(read.profile);
    if (!read.error.isEmpty()) {
        status_->setText(read.error);
        return;
    }
    const ProfileSplit split = splitProfile(read.profile, pile_.headLength, pile_.pileLength);
    const QString lengths = QStringLiteral("H = %1 m，L = %2 m：").arg(numberText(pile_.headLength), numberText(pile_.pileLength));
    status_->setText(lengths + (split.refusal.empty() ? countsText(split.zones)
                                                      : QString::fromStdString(split.refusal)));
}

void ProfileWindow::OnAddStratum()
{
    const int current = table_->currentRow();
    const int row = current >= 0 ? current + 1 : table_->rowCount();
    QSignalBlocker blocker(table_);
    table_->insertRow(row);
    for (int column = 0; column < kColumnCount; ++column)
        table_->setItem(row, column, new QTableWidgetItem);
    blocker.unblock();
    table_->setCurrentCell(row, kName);
    OnTableChanged();
}

void ProfileWindow::OnDeleteStratum()
{
    if (table_->currentRow() < 0)
        return;
    table_->removeRow(table_->currentRow());
    OnTableChanged();
}

void ProfileWindow::OnMoveUp() { moveCurrentRow(-1); }

void ProfileWindow::OnMoveDown() { moveCurrentRow(1); }

void ProfileWindow::moveCurrentRow(int by)
{
    const int row = table_->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= table_->rowCount())
        return;
    QSignalBlocker blocker(table_);
    for (int column = 0; column < kColumnCount; ++column) {
        QTableWidgetItem* moving = table_->takeItem(row, column);
        table_->setItem(row, column, table_->takeItem(target, column));
        table_->setItem(target, column, moving);
    }
    blocker.unblock();
    table_->setCurrentCell(target, table_->currentColumn());
    OnTableChanged();
}

void ProfileWindow::showRead(const ProfileRead& read)
{
    if (!read.error.empty()) {
        ui::services().showMessage(this, QString::fromStdString(read.error));
        return;
    }
    setProfile(read.profile);
}

void ProfileWindow::OnImport()
{
    const QString path = chooseFileToImport(this);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::services().showMessage(this, QStringLiteral("无法打开文件“%1”：%2").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    importedFile_ = path;
    showRead(readProfileCsv(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

void ProfileWindow::OnPaste()
{
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const ProfileRead withHeader = readProfileCsv(text);
    if (withHeader.error.empty()) {
        showRead(withHeader);
        return;
    }
    const ProfileRead cellsOnly = readProfileCsv(kPastedHeader + text);
    showRead(cellsOnly.error.empty() ? cellsOnly : withHeader);
}

void ProfileWindow::OnExport()
{
    const TableProfile read = tableProfile();
    if (!read.error.isEmpty()) {
        ui::services().showMessage(this, read.error);
        return;
    }
    const QString path = chooseFileToExport(this);
    if (path.isEmpty())
        return;
    if (const QString refusal = ui::overwriteRefusal(path, {importedFile_}, QStringLiteral("土层剖面")); !refusal.isEmpty()) {
        ui::services().showMessage(this, refusal);
        return;
    }
    const std::string csv = profileCsv(read.profile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), static_cast<qint64>(csv.size())) < 0
        || !file.commit())
        ui::services().showMessage(this, QStringLiteral("无法写入文件“%1”：%2").arg(path, file.errorString()));
    else
        ui::services().showNotice(this, QStringLiteral("土层剖面导出成功！\n已写入 ") + QDir::toNativeSeparators(path));
}

bool ProfileWindow::confirmSplit(const ZoneLayers& zones)
{
    const QString question = QStringLiteral("按剖面分层将替换三个区的全部土层参数：\n%1。\n是否继续？").arg(countsText(zones));
    return QMessageBox::question(this, QStringLiteral("Orvane"), question) == QMessageBox::Yes;
}

void ProfileWindow::OnApply()
{
    const TableProfile read = tableProfile();
    if (!read.error.isEmpty()) {
        ui::services().showMessage(this, read.error);
        return;
    }
    const ProfileSplit split = splitProfile(read.profile, pile_.headLength, pile_.pileLength);
    if (!split.refusal.empty()) {
        ui::services().showMessage(this, QString::fromStdString(split.refusal));
        return;
    }
    if (!confirmSplit(split.zones))
        return;
    g_project.headLength = pile_.headLength;
    g_project.pileLength = pile_.pileLength;
    applyProfile(read.profile, g_project);
    g_lastApplied = read.profile;
    accept();
}

std::optional<SoilProfile> appliedProfile()
{
    ProjectData split = g_project;
    if (!g_lastApplied.empty() && applyProfile(g_lastApplied, split).empty() && split == g_project)
        return g_lastApplied;
    return std::nullopt;
}

SoilProfile currentProfile() { return appliedProfile().value_or(profileFromRecord(g_project)); }

bool openSoilProfile(QWidget* parent, const PileShape& pile)
{
    ProfileWindow window(pile, parent);
    window.setProfile(currentProfile());
    return window.exec() == QDialog::Accepted;
}
