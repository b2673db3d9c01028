#pragma once

#include <QDate>
#include <QMainWindow>

class ClickPanel;
class NavBar;
class QLabel;
class QStatusBar;
class QTabWidget;
class QToolButton;

// The main window: navigation bar, the four pages and the status bar. Each page lives in its own
// source file; this one holds the frame.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Binds the pages to the data module once it exists and installs the data module's callbacks.
    void connectDataModule();

    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString& text);

    // Frame.
    QWidget* Panel1;
    NavBar* dxNavBar1;
    ClickPanel* Panel2;
    ClickPanel* Panel14;
    QTabWidget* cxPageControl1;
    QWidget* cxTabSheet1;
    QWidget* cxTabSheet4;
    QWidget* cxTabSheet39;
    QWidget* cxTabSheet42;
    QStatusBar* StatusBar1;
    QToolButton* dxNavBar1Item1;
    QToolButton* dxNavBar1Item2;
    QToolButton* dxNavBar1Item3;
    QToolButton* dxNavBar1Item4;
    QToolButton* dxNavBar1Item5;
    QToolButton* dxNavBar1Item9;
    QToolButton* dxNavBar1Item10;

    // Handlers of the frame.
    void FormCreate();
    void FormShow();
    void dxNavBar1Item1Click();
    void dxNavBar1Item2Click();
    void dxNavBar1Item3Click();
    void dxNavBar1Item4Click();
    void dxNavBar1Item5Click();
    void dxNavBar1Item9Click();
    void dxNavBar1Item10Click();
    void Panel2Click();

    // Routines of pages built later; kept here so the frame's handlers can run them.
    void InitReportPage();
    void RefreshIncomeExpenseSummary(const QDate& begin, const QDate& end);

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    QWidget* placeholderPage(const QString& objectName, const QString& caption);

    QLabel* m_statusPanels[2];
};

extern TForm1* Form1;

// Filled by the category and item pickers, kept for the whole run.
extern QString SelectedExpenseCategoryCode;
extern QString SelectedIncomeCategoryCode;
extern QString ChosenExpenseItem;
extern QString ChosenExpenseCategory;
extern QString ChosenIncomeItem;
extern QString ChosenIncomeCategory;
