#include "ui/layer_value_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>

namespace ui {

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

std::string columnList(const QTableWidget* table, int first, int count, int column)
{
    QStringList values;
    bool any = false;
    for (int row = first; row < first + count; ++row) {
        values << cellText(table, row, column);
        any = any || !values.back().isEmpty();
    }
    return any ? values.join(QLatin1Char(',')).toStdString() : std::string();
}

void fitColumns(QTableWidget* table, std::initializer_list<int> typedColumns, int typingRoom)
{
    table->resizeColumnsToContents();
    QHeaderView* header = table->horizontalHeader();
    for (int column : typedColumns)
        header->resizeSection(column, header->sectionSize(column) + typingRoom);
    table->setMinimumWidth(header->length() + table->verticalScrollBar()->sizeHint().width() + 2 * table->frameWidth());
}

}  // namespace ui
