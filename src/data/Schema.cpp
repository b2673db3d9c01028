#include "Schema.h"

#include "Connection.h"
#include "DbError.h"
#include "Passwords.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace Schema {
namespace {

// Text columns compare without regard to case, as Jet does, and refuse values over their width.
QString text(const QString& name, int width, bool nocase = true) {
    return QStringLiteral("%1 TEXT%2 CONSTRAINT len_%1_%3 CHECK (length(%1) <= %3)")
        .arg(name, nocase ? QStringLiteral(" COLLATE NOCASE") : QString())
        .arg(width);
}

QString date(const QString& name) {
    // Date arithmetic moves "2024-02-30" to another day, so only a real calendar date equals itself after it.
    return QStringLiteral("%1 DATE CONSTRAINT date_%1 CHECK (%1 is null or date(%1, '+0 days') is %1)").arg(name);
}

QString money(const QString& name) {
    return QStringLiteral("%1 DOUBLE CONSTRAINT num_%1 CHECK (%1 is null or (typeof(%1) in ('integer', 'real') "
                          "and abs(%1) <= 1.7976931348623157e308))")
        .arg(name);
}

QString yesNo(const QString& name) {
    return QStringLiteral("%1 BOOLEAN NOT NULL DEFAULT 0 CHECK (%1 in (-1, 0))").arg(name);
}

QString table(const QString& name, const QStringList& columns) {
    return QStringLiteral("create table %1 (id INTEGER PRIMARY KEY AUTOINCREMENT, %2)").arg(name, columns.join(", "));
}

QStringList recordColumns() {
    // Both record tables keep this order: the detail query unites them by position.
    return {date("datee"),   text("teller", 50),  text("leibie", 50), text("item", 50),
            money("moneye"), text("beizhu", 255), text("zffs", 50)};
}

QStringList statements() {
    QStringList s;
    s << table("expenses", recordColumns()) << table("sincome", recordColumns());
    s << table("people", {text("xingming", 50)});
    s << table("zffs", {text("zffs", 50)}) << table("ssyfs", {text("zffs", 50)});
    for (const char* t : {"leibie", "sleibie"})
        s << table(t, {text("bianma", 50), text("leibie", 50)});
    for (const char* t : {"xiangmu", "sxiangmu"})
        s << table(t, {text("fbianma", 50), text("zbianma", 50), text("xiangmu", 50)});
    s << table("beizhu", {text("beizhu", 255)}) << table("sbeizhu", {text("beizhu", 255)});
    // psw holds a salted hash, never the password itself; it is compared exactly.
    s << table("users", {text("username", 50), text("truename", 50), text("psw", 200, false), yesNo("qx")});
    s << table("flagg", {text("flagname", 50), yesNo("flagg")});
    s << QStringLiteral("create table meta (name TEXT PRIMARY KEY, value TEXT)");

    s << QStringLiteral("create index expenses_datee on expenses (datee)")
      << QStringLiteral("create index sincome_datee on sincome (datee)")
      << QStringLiteral("create index people_xingming on people (xingming)")
      << QStringLiteral("create index zffs_zffs on zffs (zffs)")
      << QStringLiteral("create index ssyfs_zffs on ssyfs (zffs)")
      << QStringLiteral("create index leibie_leibie on leibie (leibie)")
      << QStringLiteral("create index leibie_bianma on leibie (bianma)")
      << QStringLiteral("create index sleibie_leibie on sleibie (leibie)")
      << QStringLiteral("create index sleibie_bianma on sleibie (bianma)")
      << QStringLiteral("create index xiangmu_fbianma on xiangmu (fbianma)")
      << QStringLiteral("create index xiangmu_xiangmu on xiangmu (xiangmu)")
      << QStringLiteral("create index sxiangmu_fbianma on sxiangmu (fbianma)")
      << QStringLiteral("create index sxiangmu_xiangmu on sxiangmu (xiangmu)")
      << QStringLiteral("create index beizhu_beizhu on beizhu (beizhu)")
      << QStringLiteral("create index sbeizhu_beizhu on sbeizhu (beizhu)")
      << QStringLiteral("create index users_username on users (username)");
    return s;
}

} // namespace

void create(Connection& con) {
    con.beginTransaction();
    try {
        for (const QString& st : statements())
            con.execNative(st);
        con.execNative(QStringLiteral("insert into users (id, username, truename, psw, qx) "
                                      "values (1, 'admin', '管理员', :psw, -1)"),
                       {{QStringLiteral("psw"), Passwords::hash(QStringLiteral("807254"))}});
        // The program starts without a login until someone asks for one.
        con.execNative(QStringLiteral("insert into flagg (flagname, flagg) values ('dl', 0)"));
        con.execNative(QStringLiteral("insert into meta (name, value) values ('schema_version', :v)"),
                       {{QStringLiteral("v"), QString::number(Version)}});
        con.commit();
    } catch (...) {
        con.rollback();
        throw;
    }
}

void createFile(const QString& path, const QString& key) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("文件已经存在，不会覆盖：%1").arg(path));
    Connection con;
    con.open(path, key, true);
    create(con);
    con.close();
}

void check(Connection& con) {
    const QVariant hasMeta =
        con.scalar(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'meta'"));
    if (hasMeta.toInt() == 0)
        throw DbError(QStringLiteral("数据库文件不是本程序的文件（缺少版本信息）。"));
    const int version =
        con.scalar(QStringLiteral("select value from meta where name = 'schema_version'")).toString().toInt();
    if (version > Version)
        throw DbError(QStringLiteral("数据库文件来自更新版本的程序（版本 %1），请升级本程序。").arg(version));
    if (version < 1)
        throw DbError(QStringLiteral("数据库文件的版本信息无效。"));
    // Version 1 is the first; later versions migrate here, each step in one transaction.
}

QString columnLabel(const QString& column) {
    static const QHash<QString, QString> labels = {
        {"datee", "日期"},      {"teller", "人员"},       {"leibie", "类别"},      {"item", "项目"},
        {"moneye", "金额"},     {"beizhu", "备注"},       {"zffs", "方式"},        {"xingming", "姓名"},
        {"bianma", "编码"},     {"fbianma", "类别编码"},  {"zbianma", "项目编码"}, {"xiangmu", "项目"},
        {"username", "用户名"}, {"truename", "真实姓名"}, {"psw", "密码"},         {"qx", "权限"},
        {"flagname", "开关名"}, {"flagg", "开关"}};
    return labels.value(column, column);
}

} // namespace Schema
