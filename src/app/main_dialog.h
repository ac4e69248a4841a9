// The main window: the title picture with the buttons that open the two
// calculations, the About box and Exit. Closing it ends the program.
#pragma once

#include <QDialog>
#include <QSvgRenderer>

class QPushButton;

class CMainDialog : public QDialog {
    Q_OBJECT
public:
    explicit CMainDialog(QWidget* parent = nullptr);

    QPushButton* capacityButton() const { return capacityButton_; }
    QPushButton* settlementButton() const { return settlementButton_; }
    QPushButton* designButton() const { return designButton_; }
    QPushButton* sectionsButton() const { return sectionsButton_; }
    QPushButton* aboutButton() const { return aboutButton_; }
    QPushButton* exitButton() const { return exitButton_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The About item of the system menu (Windows).
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private slots:
    void OnCapacityCalculation();
    void OnSettlementCalculation();
    void OnDesignExploration();
    void OnRoadSections();
    void OnAbout();

private:
    QPushButton* addButton(const QString& text);
    void addAboutToSystemMenu();

    QSvgRenderer background_;
    QPushButton* capacityButton_;
    QPushButton* settlementButton_;
    QPushButton* sectionsButton_ = nullptr;
    QPushButton* designButton_;
    QPushButton* aboutButton_;
    QPushButton* exitButton_;
};
