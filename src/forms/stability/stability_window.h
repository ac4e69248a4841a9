// The "稳定验算" window: the strengths c and φ beside the layers of the three
// zones and of the fill, the shear strength of the pile body τp, how far the
// reinforced zone reaches beyond the toes, the surcharge q and the required
// factor; the section drawn to scale with each side's critical slip circle,
// both sides' factors, the design's factor against the required one as the
// assessment decides it, and the slices of the critical circle. "计算"
// (Enter) stores the inputs in the project's extension block and computes;
// a refusal names the box or column by its label and clears the results it
// makes stale; Esc closes.
#pragma once

#include "engine/design_check.h"
#include "engine/stability.h"

#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace stability {

class SectionDrawing;

class StabilityWindow : public QWidget {
    Q_OBJECT
public:
    // Edits the extension block of `project`, which must outlive the window.
    explicit StabilityWindow(ProjectData& project, QWidget* parent = nullptr);

    QTableWidget* strengthTable() const { return strengths_; }
    QTableWidget* sliceTable() const { return slices_; }
    QLineEdit* pileShearEdit() const { return pileShear_; }
    QLineEdit* marginEdit() const { return margin_; }
    QLineEdit* surchargeEdit() const { return surcharge_; }
    QLineEdit* requiredEdit() const { return required_; }
    QPushButton* computeButton() const { return compute_; }
    QLabel* statusLabel() const { return status_; }
    QLabel* factorsLabel() const { return factors_; }
    const SectionDrawing& drawing() const { return *drawing_; }

protected:
    // Enter computes (a cell being edited takes it first), Esc closes.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeInputs();
    QWidget* makeResults();
    void fillStrengthRows();
    void fillFromExtension();
    // The window's inputs as extension keys and values; a refusal of a cell
    // that holds more than one number, or an empty text.
    std::string typedKeys(std::vector<std::pair<std::string, std::string>>& keys) const;
    void computeAndShow();
    void clearResults();
    void drawSection(const ProjectData& design, const StabilityInputs& inputs, double surcharge);
    void showFactors(const StabilityResult& result, const std::optional<CheckOutcome>& check);
    void showSlices(const StabilityResult& result);

    ProjectData& project_;
    QTableWidget* strengths_;
    QLineEdit* pileShear_;
    QLineEdit* margin_;
    QLineEdit* surcharge_;
    QLineEdit* required_;
    QPushButton* compute_;
    QLabel* status_;
    QLabel* factors_;
    QLabel* slicesTitle_;
    QTableWidget* slices_;
    SectionDrawing* drawing_;
};

}  // namespace stability
