// How the capacities were computed: each force and resistance of one pile
// with its formula, the governing resistance marked, then the composite
// capacity term by term.
#pragma once

#include "model/project_data.h"

#include <QWidget>

class QTableWidget;

namespace details {

class CapacityDetailsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CapacityDetailsWindow(const ProjectData& project, QWidget* parent = nullptr);

    // Columns: item, formula, value, unit.
    QTableWidget* table() const { return table_; }

private:
    ProjectData project_;
    QTableWidget* table_;
};

}  // namespace details
