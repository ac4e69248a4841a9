#include "about_dialog.h"

#include "app_icon.h"
#include "orvane_version.h"
#include "ui/dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDialog::CAboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("关于我们"));
    ui::setFormFont(this, 9);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(orvaneIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* okButton = new QPushButton(QStringLiteral("确定"), this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CAboutDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Orvane %1 版").arg(QLatin1String(orvane::kCaptionVersion)), this), 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Copyright © 2026 Velmora"), this), 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("作者：Velmora 岩土工程软件组"), this), 2, 1);
    grid->addWidget(okButton, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(1, 1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}
