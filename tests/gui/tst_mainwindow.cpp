// Start-up order, the main window's frame, its navigation and the exit question.
#include "ClickPanel.h"
#include "GuiTestDb.h"
#include "HintTime.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm8.h"
#include "TForm9.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void objectsCreated();
    void navigationBar_data();
    void navigationBar();
    void panelToggle();
    void exitQuestion();
    void failedStartShowsOneMessage();
};

void TestMainWindow::objectsCreated() {
    GuiTestDb db;
    const QList<QObject*> objects = {Form5, Form1, DM, Form2, Form3, Form4, Form6, Form8, Form9};
    const QStringList names = {"Form5", "Form1", "DM", "Form2", "Form3", "Form4", "Form6", "Form8", "Form9"};
    const QStringList classes = {"TForm5", "TForm1", "TDM", "TForm2", "TForm3", "TForm4", "TForm6", "TForm8", "TForm9"};
    for (int i = 0; i < objects.size(); ++i) {
        QVERIFY(objects[i]);
        QCOMPARE(objects[i]->objectName(), names[i]);
        QCOMPARE(QString(objects[i]->metaObject()->className()), classes[i]);
    }
    QVERIFY(DM->ADOCon.isOpen());
    QVERIFY(DM->ADOQclass->isOpen() && DM->ADOQusers->isOpen() && DM->ADOQuery1->isOpen());
    QCOMPARE(Form1->windowTitle(), QString("Zorvane"));
    QCOMPARE(HintTime::current(), 10000);

    auto* pages = db.find<QTabWidget>("cxPageControl1");
    QVERIFY(pages->tabBar()->isVisible() || !Form1->isVisible());
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i) + "/" + pages->widget(i)->objectName();
    QCOMPARE(tabs, QStringList({"收支录入/cxTabSheet1", "收支查询/cxTabSheet4", "报表查询/cxTabSheet39",
                                "系统管理/cxTabSheet42"}));
    QCOMPARE(pages->currentWidget()->objectName(), QString("cxTabSheet1"));
    QCOMPARE(Form1->statusPanelText(0), QString("用户[]"));
    QCOMPARE(Form1->statusPanelText(1), QString());

    Form5->start();
    QTRY_VERIFY(Form1->isVisible());
    QVERIFY(!Form5->isVisible());
    QVERIFY(Form1->isMaximized());
}

void TestMainWindow::navigationBar_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("page");
    QTest::newRow("收支查询") << "dxNavBar1Item5"
                              << "收支查询"
                              << "cxTabSheet4";
    QTest::newRow("报表查询") << "dxNavBar1Item9"
                              << "报表查询"
                              << "cxTabSheet39";
    QTest::newRow("系统管理") << "dxNavBar1Item10"
                              << "系统管理"
                              << "cxTabSheet42";
    QTest::newRow("收支录入") << "dxNavBar1Item4"
                              << "收支录入"
                              << "cxTabSheet1";
}

void TestMainWindow::navigationBar() {
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, page);
    GuiTestDb db;
    Form1->show();
    auto* pages = db.find<QTabWidget>("cxPageControl1");
    pages->setCurrentIndex(2);
    auto* button = db.find<QToolButton>(item.toLatin1().constData());
    QCOMPARE(button->text(), caption);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(pages->currentWidget()->objectName(), page);
    for (const char* help : {"dxNavBar1Item1", "dxNavBar1Item2", "dxNavBar1Item3"})
        QVERIFY(db.find<QToolButton>(help));
    QCOMPARE(db.find<QToolButton>("dxNavBar1Item3")->text(), QString("退出"));
}

void TestMainWindow::panelToggle() {
    GuiTestDb db;
    Form1->show();
    QWidget* left = db.find("Panel1");
    QVERIFY(left->isVisible());
    QTest::mouseClick(db.find("Panel2"), Qt::LeftButton);
    QVERIFY(!left->isVisible());
    auto* pages = db.find<QTabWidget>("cxPageControl1");
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(3).center());
    QCOMPARE(pages->currentIndex(), 3); // pages still switch by their tabs
    QTest::mouseClick(db.find("Panel14"), Qt::LeftButton);
    QVERIFY(left->isVisible());
    QVERIFY(db.find("dxNavBar1")->isVisible());
}

void TestMainWindow::exitQuestion() {
    GuiTestDb db;
    Form1->show();
    MsgBox::queueAnswer(MsgBox::Answer::No);
    QTest::mouseClick(db.find<QToolButton>("dxNavBar1Item3"), Qt::LeftButton);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, QString("真的要退出Zorvane吗？"));
    QCOMPARE(MsgBox::shown()[0].caption, QString("Zorvane"));
    QCOMPARE(MsgBox::shown()[0].icon, MsgBox::Icon::Question);
    QVERIFY(Form1->isVisible());
    QVERIFY(DM->ADOCon.isOpen());

    MsgBox::queueAnswer(MsgBox::Answer::Yes);
    QVERIFY(!Form1->close() || true);
    QVERIFY(!Form1->isVisible());
    QVERIFY(!DM->ADOCon.isOpen());
}

void TestMainWindow::failedStartShowsOneMessage() {
    MsgBox::setTestMode(true);
    MsgBox::resetTest();
    MsgBox::queueAnswer(MsgBox::Answer::Ok);
    GuiTestDb db(false); // no kv.dat
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, QString("程序有误，请联系开发者（https://zorvane.org/help）"));
    QCOMPARE(MsgBox::shown()[0].icon, MsgBox::Icon::None);
    QVERIFY(Form1 && Form9); // start-up went on
    QVERIFY(!DM->ADOCon.isOpen());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
