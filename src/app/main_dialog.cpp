#include "main_dialog.h"

#include "about_dialog.h"
#include "app_icon.h"
#include "forms/capacity/capacity_dialog.h"
#include "forms/design/design_dialog.h"
#include "forms/sections/sections_dialog.h"
#include "forms/settlement/settlement_dialog.h"
#include "model/platform.h"
#include "orvane_version.h"
#include "ui/dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The background picture is drawn for this client area; the button row sits
// on the band left free for it above the maker's name.
constexpr QSize kClientSize(657, 514);
constexpr int kButtonRowBottomMargin = 66;
constexpr QSize kButtonSize(75, 21);
constexpr int kButtonSpacing = 24;
// The system menu's command that opens the About box.
constexpr unsigned kAboutCommand = 16;

}  // namespace

CMainDialog::CMainDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      background_(QStringLiteral(":/main_background.svg"))
{
    setWindowTitle(QStringLiteral("路堤荷载下Orvane %1版 ").arg(QLatin1String(orvane::kCaptionVersion)));
    setWindowIcon(orvaneIcon());
    ui::setFormFont(this, 9);
    setFixedSize(kClientSize);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(kButtonSpacing);
    buttonRow->addStretch();
    capacityButton_ = addButton(QStringLiteral("承载力计算"));
    settlementButton_ = addButton(QStringLiteral("沉降计算"));
    designButton_ = addButton(QStringLiteral("方案比选"));
    sectionsButton_ = addButton(QStringLiteral("路段计算"));
    aboutButton_ = addButton(QStringLiteral("关于我们"));
    exitButton_ = addButton(QStringLiteral("退出"));
    for (QPushButton* button : {capacityButton_, settlementButton_, designButton_, sectionsButton_, aboutButton_, exitButton_})
        buttonRow->addWidget(button);
    buttonRow->addStretch();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, kButtonRowBottomMargin);
    page->addStretch();
    page->addLayout(buttonRow);

    connect(capacityButton_, &QPushButton::clicked, this, &CMainDialog::OnCapacityCalculation);
    connect(settlementButton_, &QPushButton::clicked, this, &CMainDialog::OnSettlementCalculation);
    connect(designButton_, &QPushButton::clicked, this, &CMainDialog::OnDesignExploration);
    connect(sectionsButton_, &QPushButton::clicked, this, &CMainDialog::OnRoadSections);
    connect(aboutButton_, &QPushButton::clicked, this, &CMainDialog::OnAbout);
    connect(exitButton_, &QPushButton::clicked, this, &CMainDialog::reject);
    capacityButton_->setFocus();
    addAboutToSystemMenu();
}

// Only a window of the Windows platform has a system menu to extend; the
// offscreen platform's windows have no native handle.
void CMainDialog::addAboutToSystemMenu()
{
    if (QGuiApplication::platformName() == QLatin1String("windows"))
        platform::appendSystemMenuItem(winId(), kAboutCommand, "关于 Orvane(&A)...");
}

bool CMainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (eventType == "windows_generic_MSG" && platform::chosenSystemMenuCommand(message) == kAboutCommand) {
        OnAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}

QPushButton* CMainDialog::addButton(const QString& text)
{
    // Left auto-default, as a dialog's buttons are: Enter presses the one
    // that has the focus.
    auto* button = new QPushButton(text, this);
    button->setMinimumSize(kButtonSize);
    return button;
}

void CMainDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    background_.render(&painter, rect());
}

void CMainDialog::OnCapacityCalculation()
{
    CCapacityDialog form;
    form.layout = 0;
    form.exec();
}

void CMainDialog::OnSettlementCalculation()
{
    CSettlementDialog form;
    form.layout = 0;
    form.exec();
}

// The design window explores a copy of the record; it writes g_project only
// when the user adopts a point.
void CMainDialog::OnDesignExploration()
{
    CDesignDialog form(this);
    form.exec();
}

// The road window computes on a copy of the record; a section the user
// chooses there becomes the current project, opened in the input form.
void CMainDialog::OnRoadSections()
{
    CSectionsDialog form(this);
    if (form.exec() == QDialog::Accepted)
        OnCapacityCalculation();
}

void CMainDialog::OnAbout()
{
    CAboutDialog about(this);
    about.exec();
}
