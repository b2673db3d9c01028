// A new kv.dat: its tables, fixed rows, encryption, stored passwords and the checks on values.
#include "DbError.h"
#include "Passwords.h"
#include "TestDb.h"

#include <QFile>
#include <QtTest>

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void tablesAndFixedRows();
    void fileIsEncrypted();
    void passwordsAreHashed();
    void existingFileNeverTouched();
    void versionChecked();
    void refusedValues_data();
    void refusedValues();
    void openFailures();
};

void TestSchema::tablesAndFixedRows() {
    TestDb db;
    Statement st = db.con().prepareNative(
        "select name from sqlite_master where type = 'table' and name not like 'sqlite%' order by name");
    QStringList tables;
    while (st.step())
        tables << st.text(0);
    QCOMPARE(tables, QStringList({"beizhu", "expenses", "flagg", "leibie", "meta", "people", "sbeizhu", "sincome",
                                  "sleibie", "ssyfs", "sxiangmu", "users", "xiangmu", "zffs"}));
    // Both record tables keep one column order: the detail query unites them by position.
    for (const char* table : {"expenses", "sincome"}) {
        Statement cols = db.con().prepareNative(QString("pragma table_info(%1)").arg(table));
        QStringList names;
        while (cols.step())
            names << cols.text(1);
        QCOMPARE(names, QStringList({"id", "datee", "teller", "leibie", "item", "moneye", "beizhu", "zffs"}));
    }
    QCOMPARE(db.con().scalar("select username from users where id = 1").toString(), QString("admin"));
    QCOMPARE(db.con().scalar("select qx from users where id = 1").toInt(), -1);
    QCOMPARE(db.con().scalar("select flagg from flagg where flagname = 'dl'").toInt(), 0);
    QVERIFY(!db.dm->loginRequired());
    QCOMPARE(db.con().scalar("select count(*) from sqlite_master where type = 'index' and sql is not null").toInt(),
             16);
}

void TestSchema::fileIsEncrypted() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 1, 1), "secretname", 1);
    db.dm->ADOCon.close();
    QFile f(db.path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(!bytes.startsWith("SQLite format 3"));
    QVERIFY(!bytes.contains("secretname"));
    QVERIFY(!bytes.contains("expenses"));
}

void TestSchema::passwordsAreHashed() {
    TestDb db;
    const QString stored = db.con().scalar("select psw from users where id = 1").toString();
    QVERIFY(stored != "807254");
    QVERIFY(!stored.contains("807254"));
    QVERIFY(db.dm->checkUserPassword(1, "807254"));
    QVERIFY(!db.dm->checkUserPassword(1, "807255"));
    int id = 0;
    QVERIFY(db.dm->checkPassword("ADMIN", "807254", &id)); // user names compare without regard to case
    QCOMPARE(id, 1);
    db.dm->setUserPassword(1, "新密码'1");
    QVERIFY(db.dm->checkUserPassword(1, "新密码'1"));
    QVERIFY(!db.dm->checkUserPassword(1, "807254"));
    QVERIFY(Passwords::hash("x") != Passwords::hash("x")); // salted
    QVERIFY(!Passwords::verify("807254", "807254"));       // a plain stored value never matches
    QVERIFY_THROWS_EXCEPTION(DbError, db.dm->setUserPassword(99, "x"));
}

void TestSchema::existingFileNeverTouched() {
    TestDb db;
    db.addRecord("expenses", QDate(2024, 1, 1), "a", 1);
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::createFile(db.path(), TDM::DatabasePassword));
    QCOMPARE(db.con().scalar("select count(*) from expenses").toInt(), 1);
}

void TestSchema::versionChecked() {
    TestDb db;
    db.con().exec("update meta set value = '99' where name = 'schema_version'");
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::check(db.con()));
    db.con().exec("drop table meta");
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::check(db.con()));
}

void TestSchema::refusedValues_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("too long name") << "insert into people (xingming) values ('" + QString(51, QChar(0x5f20)) + "')"
                                   << "“姓名”的内容超过 50 个字符，未保存。";
    QTest::newRow("too long note") << "insert into expenses (beizhu) values ('" + QString(256, 'x') + "')"
                                   << "“备注”的内容超过 255 个字符，未保存。";
    QTest::newRow("not a calendar date") << "insert into expenses (datee) values ('2024-02-30')"
                                         << "“日期”不是有效的日期，未保存。";
    QTest::newRow("not a date at all") << "insert into sincome (datee) values ('soon')"
                                       << "“日期”不是有效的日期，未保存。";
    QTest::newRow("text amount") << "insert into expenses (moneye) values ('abc')"
                                 << "“金额”不是有效的数字，未保存。";
    QTest::newRow("infinite amount") << "insert into expenses (moneye) values (1e999)"
                                     << "“金额”不是有效的数字，未保存。";
}

void TestSchema::refusedValues() {
    QFETCH(QString, sql);
    QFETCH(QString, message);
    TestDb db;
    try {
        db.con().exec(sql);
        QFAIL("value was stored");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(db.con()
                 .scalar("select (select count(*) from people) + (select count(*) from expenses) + "
                         "(select count(*) from sincome)")
                 .toInt(),
             0);
    // 50 characters exactly are fine.
    db.con().exec("insert into people (xingming) values ('" + QString(50, QChar(0x5f20)) + "')");
}

void TestSchema::openFailures() {
    QTemporaryDir dir;
    TDM dm;
    QVERIFY(!dm.openDatabase(dir.filePath("kv.dat")));
    QVERIFY(!QFile::exists(dir.filePath("kv.dat"))); // a missing file is not created
    QVERIFY(dm.failureMessage().startsWith("程序有误，请联系开发者（"));
    QVERIFY(dm.failureMessage().endsWith("）"));
    // A later call on the closed connection is a readable error, not a crash.
    QVERIFY_THROWS_EXCEPTION(DbError, dm.ADOQ->open());
    QVERIFY_THROWS_EXCEPTION(DbError, dm.ADOCon.exec("delete * from people"));
    QVERIFY(!dm.ADOQclass->isOpen());

    Schema::createFile(dir.filePath("kv.dat"), "another key");
    QVERIFY(!dm.openDatabase(dir.filePath("kv.dat")));
    QVERIFY(dm.lastError().contains("密码"));

    QFile junk(dir.filePath("junk.dat"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QVERIFY(!dm.openDatabase(dir.filePath("junk.dat")));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
