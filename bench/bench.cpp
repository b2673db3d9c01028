// zorvane-bench [RECORDS]: builds a kv.dat with RECORDS expenses and as many incomes (default 1,000,000
// each) in a temporary directory and times what a user waits for. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/zorvane-bench
#include "Connection.h"
#include "DataGrid.h"
#include "Format.h"
#include "MsgBox.h"
#include "Periods.h"
#include "Program.h"
#include "Schema.h"
#include "TDM.h"
#include "TForm1.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

long residentKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

template <typename F> double timeMs(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

void fill(const QString& path, int records) {
    Schema::createFile(path, TDM::DatabasePassword);
    Connection con;
    con.open(path, TDM::DatabasePassword);
    // Records spread over twenty years up to today, about 130 a day.
    const QDate last = Periods::today();
    const QDate first = last.addYears(-20);
    const qint64 days = first.daysTo(last) + 1;
    for (const char* table : {"expenses", "sincome"}) {
        con.beginTransaction();
        Statement st =
            con.prepareNative(QStringLiteral("insert into %1 (datee, teller, leibie, item, moneye, beizhu, zffs) "
                                             "values (:d, :t, '餐饮', '午饭', :m, '和朋友一起', '现金')")
                                  .arg(QLatin1String(table)));
        static const QStringList people = {"张三", "李四", "王芳", "赵六"};
        for (int i = 0; i < records; ++i) {
            st.reset();
            st.bind(QStringLiteral("d"), first.addDays(qint64(i) * days / records));
            st.bind(QStringLiteral("t"), people[i % people.size()]);
            st.bind(QStringLiteral("m"), double((i * 7919) % 50000) / 100.0);
            st.step();
        }
        con.commit();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kv.dat"));
    std::printf("generating %d expenses and %d incomes ...\n", records, records);
    std::printf("generate:                          %8.0f ms\n", timeMs([&] { fill(path, records); }));
    MsgBox::setTestMode(true);

    const long baseKb = residentKb();
    std::printf("start-up objects (open file):      %8.1f ms\n", timeMs([&] { Program::createObjects(path); }));
    const QDate today = Periods::today();
    const double monthMs =
        timeMs([&] { Form1->OpenExpenseRange(Periods::monthBegin(today), Periods::monthEnd(today)); });
    std::printf("open current month in ADOQ:        %8.1f ms  (%d records)\n", monthMs, DM->ADOQ->recordCount());
    std::printf("month footer sum:                  %8.1f ms\n", timeMs([&] { DM->ADOQ->sum("moneye"); }));
    std::printf("31 expense day bars:               %8.1f ms\n", timeMs([&] { Form1->RefreshExpenseDayBars(); }));
    std::printf("31 income day bars:                %8.1f ms\n", timeMs([&] { Form1->RefreshIncomeDayBars(); }));

    // A full month in the entry grid, shown: open, paint, scroll to the end, footer sum.
    Form1->show();
    QApplication::processEvents();
    const QDate previous = Periods::sameDayPreviousMonth(today);
    const double shownMs = timeMs([&] {
        Form1->DateTimePicker3->setDate(previous.addDays(1)); // a change reopens the picked month
        QApplication::processEvents();
    });
    std::printf("full month in the shown grid:      %8.1f ms  (%d records)\n", shownMs, DM->ADOQ->recordCount());
    std::printf("scroll to its end and repaint:     %8.1f ms\n", timeMs([&] {
                    Form1->DBGridEh1->scrollToBottom();
                    QApplication::processEvents();
                }));
    QString footer;
    const double footerMs = timeMs([&] { footer = Form1->DBGridEh1->footerText(7); });
    std::printf("footer sum text:                   %8.1f ms  (%s)\n", footerMs, qPrintable(footer));

    Dataset* all = DM->ADOQchaxun;
    all->setSql(QStringLiteral("select * from expenses  order by datee,id ASC "));
    std::printf("all expenses, first rows:          %8.1f ms\n", timeMs([&] { all->open(); }));
    double total = 0;
    std::printf("all expenses, footer sum:          %8.1f ms\n", timeMs([&] { total = all->sum("moneye"); }));
    std::printf("engine's own sum(moneye):          %8.1f ms\n",
                timeMs([&] { DM->ADOCon.scalar(QStringLiteral("select sum(moneye) from expenses")); }));
    std::printf("all expenses, read every row:      %8.1f ms\n", timeMs([&] { all->fetchAll(); }));
    std::printf("process growth: %ld MB, resident: %ld MB (sum %s)\n", (residentKb() - baseKb) / 1024,
                residentKb() / 1024, qPrintable(Format::money(total)));
    Program::destroyObjects();
    return 0;
}
