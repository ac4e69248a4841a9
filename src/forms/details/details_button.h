// The "计算过程…" button of the result forms.
#pragma once

#include "model/project_data.h"

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

namespace details {

inline const QString kDetailsCaption = QStringLiteral("计算过程…");

// Puts the button into the form's button row at `index`, next in the tab
// order after `tabPredecessor`, the last the form visits; a click opens the
// capacity or the settlement details of `project` as it is now, in a window
// of its own that outlives the result form.
QPushButton* addCapacityDetailsButton(QDialog* form, QBoxLayout* buttons, int index,
                                      QWidget* tabPredecessor, const ProjectData& project);
QPushButton* addSettlementDetailsButton(QDialog* form, QBoxLayout* buttons, int index,
                                        QWidget* tabPredecessor, const ProjectData& project);

}  // namespace details
