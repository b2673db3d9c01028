#pragma once

#include <QDate>
#include <QMainWindow>

class QDialog;

class ClickPanel;
class DataGrid;
class Dataset;
class DayBar;
class NavBar;
class QDateEdit;
class QSplitter;
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
    QWidget* cxTabSheet1 = nullptr;
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

    // Entry page.
    QWidget* Panel10;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton10;
    QToolButton* SpeedButton11;
    QWidget* Panel16;
    QList<DayBar*> dayBars; // cxProgressBar1 .. cxProgressBar32
    QWidget* Panel25;
    QDateEdit* DateTimePicker3;
    QTabWidget* cxPageControl2; // period tabs: 0 "本月", 1..31 "01".."31", 32 "自定义月份"
    QTabWidget* cxPageControl6; // sub-tabs "支出" and "收入"
    QWidget* cxTabSheet45;
    QWidget* cxTabSheet46;
    QTabWidget* summaryTabs;
    QWidget* cxTabSheet47;
    DataGrid* DBGridEh1;
    DataGrid* DBGridEh8;
    // Grids of the query page, filled by the shared pick-list routines once that page exists.
    DataGrid* DBGridEh2 = nullptr;
    DataGrid* DBGridEh3 = nullptr;
    DataGrid* DBGridEh5 = nullptr;
    DataGrid* DBGridEh9 = nullptr;

    static QDate DayInCurrentMonth(int day);
    void OpenExpenseRange(const QDate& begin, const QDate& end);
    void OpenIncomeRange(const QDate& begin, const QDate& end);
    void FillPeoplePickLists();
    void FillExpenseMethodPickLists();
    void FillExpenseNotePickLists();
    void FillIncomeMethodPickLists();
    void FillIncomeNotePickLists();
    void RefreshExpenseDayBars();
    void RefreshIncomeDayBars();
    DayBar* dayBar(int number) const; // the bar named "cxProgressBar" + number

    void cxTabSheet1Show();
    void periodTabShow(int position); // cxTabSheet5Show, cxTabSheet6Show .. cxTabSheet36Show, cxTabSheet44Show
    void cxTabSheet44Hide();
    void DateTimePicker3Change();
    void cxTabSheet45Show();
    void cxTabSheet46Show();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void DBGridEh1Columns6EditButtonClick();
    void DBGridEh8Columns6EditButtonClick();

    // Routines of pages built later; kept here so the frame's handlers can run them.
    void InitReportPage();
    void RefreshIncomeExpenseSummary(const QDate& begin, const QDate& end);

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    QWidget* buildEntryPage();
    void buildEntryToolbar(QWidget* page);
    void buildDayBars(QWidget* page);
    void layoutDayBars();
    void buildPeriodTabs(QWidget* page);
    void connectEntryPage();
    void connectEntryData();
    void entryPageShown();
    void periodChanged(int position);
    void subTabChanged(int index);
    // The date range of the active period tab.
    void activePeriod(QDate& begin, QDate& end) const;
    // The grid of the shown sub-tab, its dataset and the caption of its messages.
    DataGrid* shownEntryGrid() const;
    bool expenseShown() const;
    void refreshDayBars(bool expenses);
    // Every value of a field of the source's rows; the source is opened and closed again.
    QStringList readColumn(Dataset* source, const QString& field);
    QStringList readColumn(const QString& sql, const QString& field); // on the scratch query
    void fillPickLists(const QList<DataGrid*>& grids, int column, const QStringList& values, bool closed);
    void writePickerChoice(DataGrid* grid, QDialog* picker, const QString& item, const QString& category);
    bool eventFilter(QObject* watched, QEvent* event) override;

    int m_periodTab = 0;
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
