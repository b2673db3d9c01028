#pragma once

#include "Schema.h"
#include "TDM.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A fresh kv.dat in a temporary directory with the data module open on it.
struct TestDb {
    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;

    TestDb()
    {
        Schema::createFile(path(), TDM::DatabasePassword);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        if (!dm->openDatabase(path()))
            qFatal("cannot open test database: %s", qPrintable(dm->lastError()));
    }
    ~TestDb()
    {
        if (DM == dm.get())
            DM = nullptr;
    }
    QString path() const { return dir.filePath(QStringLiteral("kv.dat")); }
    Connection& con() { return dm->ADOCon; }

    // Inserts an expense (or income) record directly.
    void addRecord(const char* table, const QDate& date, const QString& teller, double money,
                   const QString& method = QString(), const QString& note = QString())
    {
        con().exec(QStringLiteral("insert into %1 (datee, teller, leibie, item, moneye, beizhu, zffs) "
                                  "values (:d, :t, '', '', :m, :n, :z)")
                       .arg(QLatin1String(table)),
                   {{"d", date}, {"t", teller}, {"m", money}, {"n", note}, {"z", method}});
    }
};
