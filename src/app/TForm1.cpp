#include "TForm1.h"

#include "ClickPanel.h"
#include "DataGrid.h"
#include "HintTime.h"
#include "MsgBox.h"
#include "NavBar.h"
#include "Periods.h"
#include "TDM.h"
#include "TForm3.h"
#include "TForm4.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

TForm1* Form1 = nullptr;

QString SelectedExpenseCategoryCode;
QString SelectedIncomeCategoryCode;
QString ChosenExpenseItem;
QString ChosenExpenseCategory;
QString ChosenIncomeItem;
QString ChosenIncomeCategory;

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zorvane"));
    buildFrame();
    FormCreate();
    connectEntryPage();
}

TForm1::~TForm1() = default;

void TForm1::buildFrame() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(150);
    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(0, 0, 0, 0);
    dxNavBar1 = new NavBar(Panel1);
    dxNavBar1->setObjectName(QStringLiteral("dxNavBar1"));
    left->addWidget(dxNavBar1);
    const int system = dxNavBar1->addGroup(QStringLiteral("系统栏"));
    dxNavBar1Item4 = dxNavBar1->addItem(system, QStringLiteral("dxNavBar1Item4"), QStringLiteral("收支录入"));
    dxNavBar1Item5 = dxNavBar1->addItem(system, QStringLiteral("dxNavBar1Item5"), QStringLiteral("收支查询"));
    dxNavBar1Item9 = dxNavBar1->addItem(system, QStringLiteral("dxNavBar1Item9"), QStringLiteral("报表查询"));
    dxNavBar1Item10 = dxNavBar1->addItem(system, QStringLiteral("dxNavBar1Item10"), QStringLiteral("系统管理"));
    const int help = dxNavBar1->addGroup(QStringLiteral("帮助栏"));
    dxNavBar1Item1 = dxNavBar1->addItem(help, QStringLiteral("dxNavBar1Item1"), QStringLiteral("关于"));
    dxNavBar1Item2 = dxNavBar1->addItem(help, QStringLiteral("dxNavBar1Item2"), QStringLiteral("帮助"));
    dxNavBar1Item3 = dxNavBar1->addItem(help, QStringLiteral("dxNavBar1Item3"), QStringLiteral("退出"));
    connect(dxNavBar1Item4, &QToolButton::clicked, this, &TForm1::dxNavBar1Item4Click);
    connect(dxNavBar1Item5, &QToolButton::clicked, this, &TForm1::dxNavBar1Item5Click);
    connect(dxNavBar1Item9, &QToolButton::clicked, this, &TForm1::dxNavBar1Item9Click);
    connect(dxNavBar1Item10, &QToolButton::clicked, this, &TForm1::dxNavBar1Item10Click);
    connect(dxNavBar1Item1, &QToolButton::clicked, this, &TForm1::dxNavBar1Item1Click);
    connect(dxNavBar1Item2, &QToolButton::clicked, this, &TForm1::dxNavBar1Item2Click);
    connect(dxNavBar1Item3, &QToolButton::clicked, this, &TForm1::dxNavBar1Item3Click);

    Panel2 = new ClickPanel(central);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(8);
    Panel2->setCursor(Qt::PointingHandCursor);
    Panel2->setToolTip(QStringLiteral("显示或隐藏导航栏"));
    Panel2->setStyleSheet(QStringLiteral("#Panel2 { background: #c9d6e6; } #Panel14 { background: #4a78b0; }"));
    auto* strip = new QVBoxLayout(Panel2);
    strip->setContentsMargins(1, 0, 1, 0);
    Panel14 = new ClickPanel(Panel2);
    Panel14->setObjectName(QStringLiteral("Panel14"));
    Panel14->setFixedHeight(48);
    strip->addStretch(1);
    strip->addWidget(Panel14);
    strip->addStretch(1);
    connect(Panel2, &ClickPanel::clicked, this, &TForm1::Panel2Click);
    connect(Panel14, &ClickPanel::clicked, this, &TForm1::Panel2Click);

    cxPageControl1 = new QTabWidget(central);
    cxPageControl1->setObjectName(QStringLiteral("cxPageControl1"));
    cxTabSheet1 = buildEntryPage();
    cxPageControl1->addTab(cxTabSheet1, QStringLiteral("收支录入"));
    cxTabSheet4 = placeholderPage(QStringLiteral("cxTabSheet4"), QStringLiteral("收支查询"));
    cxTabSheet39 = placeholderPage(QStringLiteral("cxTabSheet39"), QStringLiteral("报表查询"));
    cxTabSheet42 = placeholderPage(QStringLiteral("cxTabSheet42"), QStringLiteral("系统管理"));
    cxPageControl1->setCurrentWidget(cxTabSheet1);

    row->addWidget(Panel1);
    row->addWidget(Panel2);
    row->addWidget(cxPageControl1, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(StatusBar1);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        m_statusPanels[i]->setMinimumWidth(160);
        StatusBar1->addWidget(m_statusPanels[i], i == 0 ? 0 : 1);
    }
    m_statusPanels[0]->setAlignment(Qt::AlignCenter);
    m_statusPanels[0]->setText(QStringLiteral("用户[]"));
    setStatusBar(StatusBar1);
}

QWidget* TForm1::placeholderPage(const QString& objectName, const QString& caption) {
    auto* page = new QWidget(cxPageControl1);
    page->setObjectName(objectName);
    cxPageControl1->addTab(page, caption);
    return page;
}

void TForm1::connectDataModule() {
    connectEntryData();
}

QString TForm1::statusPanelText(int panel) const {
    return m_statusPanels[panel]->text();
}

void TForm1::setStatusPanelText(int panel, const QString& text) {
    m_statusPanels[panel]->setText(text);
}

void TForm1::FormCreate() {
    InitReportPage();
    DateTimePicker3->setDate(Periods::sameDayPreviousMonth(Periods::today()));
    HintTime::install(10000);
}

void TForm1::FormShow() {
    const QDate today = Periods::today();
    RefreshIncomeExpenseSummary(QDate(today.year(), today.month(), 1),
                                QDate(today.year(), today.month(), today.daysInMonth()));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    if (DM && DM->ADOCon.isOpen() && cxPageControl1->currentWidget() == cxTabSheet1)
        entryPageShown();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!MsgBox::question(this, QStringLiteral("真的要退出Zorvane吗？"), QStringLiteral("Zorvane"))) {
        event->ignore();
        return;
    }
    for (DataGrid* grid : {DBGridEh1, DBGridEh2, DBGridEh3, DBGridEh5, DBGridEh8, DBGridEh9})
        if (grid)
            grid->setFooterSumsEnabled(false);
    if (DM)
        DM->ADOCon.close();
    event->accept();
    // The hidden login window is the application's first window: end the run explicitly.
    QApplication::quit();
}

void TForm1::dxNavBar1Item4Click() {
    cxPageControl1->setCurrentWidget(cxTabSheet1);
}

void TForm1::dxNavBar1Item5Click() {
    cxPageControl1->setCurrentWidget(cxTabSheet4);
}

void TForm1::dxNavBar1Item9Click() {
    cxPageControl1->setCurrentWidget(cxTabSheet39);
}

void TForm1::dxNavBar1Item10Click() {
    cxPageControl1->setCurrentWidget(cxTabSheet42);
}

void TForm1::dxNavBar1Item1Click() {
    Form3->exec();
}

void TForm1::dxNavBar1Item2Click() {
    Form4->show();
    Form4->raise();
}

void TForm1::dxNavBar1Item3Click() {
    close();
}

void TForm1::Panel2Click() {
    Panel1->setVisible(!Panel1->isVisible());
}

void TForm1::InitReportPage() {
    // The reports page is not built yet; it prepares its controls here when it is.
}

void TForm1::RefreshIncomeExpenseSummary(const QDate&, const QDate&) {
    // The income and expense summary is not built yet.
}
