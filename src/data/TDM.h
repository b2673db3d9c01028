#pragma once

#include "Connection.h"
#include "Dataset.h"

#include <QObject>
#include <functional>

// The data module: the connection to kv.dat and every dataset more than one window uses.
class TDM : public QObject {
    Q_OBJECT
public:
    static const QString DatabasePassword;
    static const QString SupportAddress;

    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    // kv.dat in the executable's directory; the working directory plays no part.
    static QString databasePath();

    // Opens the database beside the executable and the datasets that stay open from the start.
    // Returns false after a failure; failureMessage() is then the message for the user.
    bool DataModuleCreate();
    bool openDatabase(const QString& path);
    QString failureMessage() const;
    const QString& lastError() const { return m_lastError; }

    Connection ADOCon;

    Dataset* ADOQ;
    Dataset* ADOQincom;
    Dataset* ADOQclass;
    Dataset* ADOQuery;
    Dataset* ADOQuery1;
    Dataset* ADOQuery2;
    Dataset* ADOQpeopledrop;
    Dataset* ADOQchaxun;
    Dataset* ADOQschaxun;
    Dataset* ADOQscinome;
    Dataset* ADOQzincome;
    Dataset* ADOQinout;
    Dataset* ADOQmonthreport;
    Dataset* ADOQusers;
    Dataset* ADOQpercent;
    Dataset* ADOQcommon;

    // The person, date text and method of the record that was current when the latest insert began.
    QString LastExpenseTeller, LastExpenseDate, LastExpenseMethod;
    QString LastIncomeTeller, LastIncomeDate, LastIncomeMethod;

    // Installed by the main window: the position of the active period tab (0 "本月", 1..31, 32 "自定义月份"),
    // and the day-bar refreshes run after a record is saved.
    std::function<int()> activePeriodTab;
    std::function<void()> refreshExpenseDayBars;
    std::function<void()> refreshIncomeDayBars;

    // Passwords of users: compared and set here only, stored as salted hashes.
    bool checkUserPassword(int userId, const QString& password);
    bool checkPassword(const QString& userName, const QString& password, int* userId = nullptr);
    void setUserPassword(int userId, const QString& password);

    // The flagg row 'dl': true when the login asks for a user name and password (also when the row is missing).
    bool loginRequired();
    void setLoginRequired(bool required);

private:
    Dataset* make(const QString& name, const QString& sql, const FieldList& fields, const QString& table = {});
    void recordDefaults(Dataset& ds, QString& teller, QString& date, QString& method);
    void applyDefaults(Dataset& ds, const QString& teller, const QString& date, const QString& method);

    QString m_lastError;
};

// The one instance, created third at start.
extern TDM* DM;
