#include "TDM.h"

#include "Balance.h"
#include "Codes.h"
#include "DbError.h"
#include "Format.h"
#include "Passwords.h"
#include "Periods.h"
#include "Schema.h"

#include <QCoreApplication>
#include <QDir>

TDM* DM = nullptr;

const QString TDM::DatabasePassword = QStringLiteral("wqzkt81XJ90vu");
const QString TDM::SupportAddress = QStringLiteral("https://zorvane.org/help");

namespace {

FieldList recordFields(bool methodAfterTeller = false) {
    FieldList f = {{"id", FieldType::AutoInc, 0, true}, {"datee", FieldType::Date},    {"teller", FieldType::Text, 50},
                   {"leibie", FieldType::Text, 50},     {"item", FieldType::Text, 50}, {"moneye", FieldType::Float},
                   {"beizhu", FieldType::Text, 255},    {"zffs", FieldType::Text, 50}};
    if (methodAfterTeller)
        f.move(7, 3);
    return f;
}

FieldList categoryFields() {
    return {{"id", FieldType::AutoInc, 0, true}, {"bianma", FieldType::Text, 50}, {"leibie", FieldType::Text, 50}};
}

FieldList itemFields(int codeWidth) {
    return {{"id", FieldType::AutoInc, 0, true},
            {"bianma", FieldType::Text, codeWidth, true, true},
            {"fbianma", FieldType::Text, 50},
            {"zbianma", FieldType::Text, 50},
            {"xiangmu", FieldType::Text, 50}};
}

FieldList balanceFields() {
    return {{"ed", FieldType::Date},
            {"et", FieldType::Text, 50},
            {"em", FieldType::Float},
            {"sm", FieldType::Float},
            {"tt", FieldType::Float}};
}

void fullItemCode(Dataset& ds) {
    ds.setValue(QStringLiteral("bianma"),
                Codes::fullItemCode(ds.asText(QStringLiteral("fbianma")), ds.asText(QStringLiteral("zbianma"))));
}

} // namespace

TDM::TDM(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DM"));
    ADOQ = make("ADOQ",
                "select *  from expenses where datee between   :Pmonthbegin and  :Pmonthend order by datee,id ASC  ",
                recordFields(), "expenses");
    ADOQincom =
        make("ADOQincom",
             "select *  from sincome  where datee between   :Psmonthbegin and  :Psmonthend order by datee,id ASC  ",
             recordFields(), "sincome");
    ADOQclass = make("ADOQclass", "select * from leibie", categoryFields(), "leibie");
    ADOQuery = make("ADOQuery", "select * from xiangmu", itemFields(10), "xiangmu");
    ADOQuery1 = make("ADOQuery1", "select * from sleibie", categoryFields(), "sleibie");
    ADOQuery2 = make("ADOQuery2", "select * from sxiangmu", itemFields(20), "sxiangmu");
    ADOQpeopledrop = make("ADOQpeopledrop", "select * from people order by id",
                          {{"xingming", FieldType::Text, 50}, {"id", FieldType::AutoInc, 0, true}}, "people");
    ADOQchaxun = make("ADOQchaxun", "select *  from expenses  order by datee,id ASC  ", recordFields(true), "expenses");
    ADOQschaxun = make("ADOQschaxun", "select *  from sincome  order by datee,id ASC  ", recordFields(), "sincome");

    FieldList detail = recordFields();
    detail[0] = {"id", FieldType::Integer, 0, true};
    for (FieldDef& f : detail)
        if (f.type == FieldType::Text)
            f.width = 255;
    detail << FieldDef{"flag", FieldType::Text, 0, true} << FieldDef{"moneyy", FieldType::Float, 0, true, true};
    ADOQscinome =
        make("ADOQscinome", "select *,'-1' as flag  from expenses union all select *,'1' as flag from sincome", detail);
    // An expense row carries its amount negated, an income row its amount as it is.
    ADOQscinome->calcFields = [](Dataset& ds) {
        ds.setValue(QStringLiteral("moneyy"),
                    ds.asText(QStringLiteral("flag")).toDouble() * ds.asFloat(QStringLiteral("moneye")));
    };
    ADOQzincome = make("ADOQzincome", Balance::statement(), balanceFields());
    ADOQinout = make("ADOQinout", Balance::statement(), balanceFields());
    ADOQmonthreport =
        make("ADOQmonthreport", "select * from expenses  order by teller,leibie,item,datee", recordFields());
    ADOQusers = make("ADOQusers", "select * from users where id <> 1",
                     {{"id", FieldType::AutoInc, 0, true},
                      {"username", FieldType::Text, 50},
                      {"truename", FieldType::Text, 50},
                      {"psw", FieldType::Text, 200},
                      {"qx", FieldType::Bool}},
                     "users");
    ADOQpercent = make("ADOQpercent", "select sum(moneye) as datesum  from expenses where datee between :bd and :ed",
                       {{"datesum", FieldType::Float}});
    ADOQcommon = make("ADOQcommon", QString(), {});

    ADOQuery->calcFields = fullItemCode;
    ADOQuery2->calcFields = fullItemCode;

    ADOQ->beforeInsert = [this](Dataset& ds) {
        recordDefaults(ds, LastExpenseTeller, LastExpenseDate, LastExpenseMethod);
    };
    ADOQ->afterInsert = [this](Dataset& ds) {
        applyDefaults(ds, LastExpenseTeller, LastExpenseDate, LastExpenseMethod);
    };
    ADOQ->afterPost = [this](Dataset&) {
        if (refreshExpenseDayBars)
            refreshExpenseDayBars();
    };
    ADOQincom->beforeInsert = [this](Dataset& ds) {
        recordDefaults(ds, LastIncomeTeller, LastIncomeDate, LastIncomeMethod);
    };
    ADOQincom->afterInsert = [this](Dataset& ds) {
        applyDefaults(ds, LastIncomeTeller, LastIncomeDate, LastIncomeMethod);
    };
    ADOQincom->afterPost = [this](Dataset&) {
        if (refreshIncomeDayBars)
            refreshIncomeDayBars();
    };
}

TDM::~TDM() {
    ADOCon.close();
}

Dataset* TDM::make(const QString& name, const QString& sql, const FieldList& fields, const QString& table) {
    auto* ds = new Dataset(ADOCon, name, this);
    ds->setSql(sql);
    ds->setFields(fields);
    ds->setTable(table);
    return ds;
}

QString TDM::databasePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kv.dat"));
}

bool TDM::DataModuleCreate() {
    return openDatabase(databasePath());
}

bool TDM::openDatabase(const QString& path) {
    try {
        ADOCon.open(path, DatabasePassword);
        Schema::check(ADOCon);
        ADOQclass->open();
        ADOQusers->open();
        ADOQuery1->open();
        m_lastError.clear();
        return true;
    } catch (const DbError& e) {
        m_lastError = e.message();
        return false;
    }
}

QString TDM::failureMessage() const {
    return QStringLiteral("程序有误，请联系开发者（") + SupportAddress + QStringLiteral("）");
}

void TDM::recordDefaults(Dataset& ds, QString& teller, QString& date, QString& method) {
    if (ds.isEmpty() || ds.currentRow() < 0) {
        teller.clear();
        date.clear();
        method.clear();
        return;
    }
    teller = ds.asText(QStringLiteral("teller"));
    date = ds.asText(QStringLiteral("datee"));
    method = ds.asText(QStringLiteral("zffs"));
}

void TDM::applyDefaults(Dataset& ds, const QString& teller, const QString& date, const QString& method) {
    const int tab = activePeriodTab ? activePeriodTab() : 0;
    if (tab <= 0)
        ds.setValue(QStringLiteral("datee"), Periods::today());
    else if (tab <= 31)
        ds.setValue(QStringLiteral("datee"), Periods::dayInCurrentMonth(tab));
    else
        ds.setText(QStringLiteral("datee"), date);
    ds.setText(QStringLiteral("teller"), teller);
    ds.setText(QStringLiteral("zffs"), method);
}

bool TDM::checkUserPassword(int userId, const QString& password) {
    const QVariant stored =
        ADOCon.scalar(QStringLiteral("select psw from users where id = :id"), {{QStringLiteral("id"), userId}});
    return !stored.isNull() && Passwords::verify(password, stored.toString());
}

bool TDM::checkPassword(const QString& userName, const QString& password, int* userId) {
    Statement st = ADOCon.prepare(QStringLiteral("select id, psw from users where username = :name order by id"));
    st.bind(QStringLiteral("name"), userName);
    while (st.step()) {
        if (Passwords::verify(password, st.text(1))) {
            if (userId)
                *userId = int(st.int64(0));
            return true;
        }
    }
    return false;
}

void TDM::setUserPassword(int userId, const QString& password) {
    if (ADOCon.exec(QStringLiteral("update users set psw = :psw where id = :id"),
                    {{QStringLiteral("psw"), Passwords::hash(password)}, {QStringLiteral("id"), userId}}) == 0)
        throw DbError(QStringLiteral("用户不存在，密码未修改。"));
}

bool TDM::loginRequired() {
    const QVariant v = ADOCon.scalar(QStringLiteral("select flagg from flagg where flagname = 'dl'"));
    return v.isNull() || v.toLongLong() != 0;
}

void TDM::setLoginRequired(bool required) {
    ADOCon.exec(QStringLiteral("update flagg set flagg = ") + (required ? QStringLiteral("-1") : QStringLiteral("0")) +
                QStringLiteral(" where flagname = 'dl'"));
}
