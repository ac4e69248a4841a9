#include "forms/project_info/project_info_dialog.h"

#include "model/extension/project_info.h"
#include "model/gbk.h"
#include "model/project_data.h"
#include "ui/dialog.h"
#include "ui/services.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBoxWidth = 320;

QHBoxLayout* buttonRow(ProjectInfoDialog* form)
{
    auto* ok = new QPushButton(QStringLiteral("确定"), form);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), form);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(ok, &QPushButton::clicked, form, &ProjectInfoDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, form, &ProjectInfoDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addStretch();
    return row;
}

}  // namespace

ProjectInfoDialog::ProjectInfoDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("projectInfoDialog"));
    setWindowTitle(QStringLiteral("工程信息"));
    auto* fields = new QFormLayout;
    for (const ProjectInfoField& field : kProjectInfoFields) {
        auto* box = new QLineEdit(QString::fromStdString(g_project.extension.value(field.key)), this);
        box->setObjectName(QString::fromLatin1(field.key) + QStringLiteral("Edit"));
        box->setMinimumWidth(kBoxWidth);
        fields->addRow(QString::fromUtf8(field.label) + QStringLiteral("："), box);
        boxes_ << box;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel(QStringLiteral("计算书的封面和签字栏使用以下信息，随工程文件保存；不填的项在计算书上留空。"), this));
    layout->addLayout(fields);
    layout->addLayout(buttonRow(this));
    ui::setFormFont(this, 9);
}

void ProjectInfoDialog::accept()
{
    for (qsizetype i = 0; i < boxes_.size(); ++i) {
        if (!utf8ToGbk(boxes_[i]->text().trimmed().toStdString())) {
            ui::services().showMessage(this, QStringLiteral("“%1”中有工程文件（GBK编码）无法保存的字符，请修改后重新确定！")
                                                 .arg(QString::fromUtf8(kProjectInfoFields[i].label)));
            boxes_[i]->setFocus();
            return;
        }
    }
    for (qsizetype i = 0; i < boxes_.size(); ++i)
        g_project.extension.set(kProjectInfoFields[i].key, boxes_[i]->text().trimmed().toStdString());
    QDialog::accept();
}

QPushButton* projectInfoButton(QWidget* form)
{
    auto* button = new QPushButton(kProjectInfoCaption, form);
    button->setObjectName(QStringLiteral("projectInfoButton"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, form, [form] {
        ProjectInfoDialog info(form);
        info.exec();
    });
    return button;
}
