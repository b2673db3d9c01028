#include "Balance.h"

#include "JetDialect.h"

namespace Balance {

QString statement(const QString& jetHaving) {
    const QString h = JetDialect::translate(jetHaving);
    const QString expenses =
        QStringLiteral(
            " (select datee,teller,sum(moneye) as totalm  from expenses group by datee,teller %1 ) as Texpense ")
            .arg(h);
    const QString incomes =
        QStringLiteral(
            " (select datee,teller,sum(moneye) as totalm  from sincome group by datee,teller %1 ) as Tincome ")
            .arg(h);
    const QString on = QStringLiteral(" on Texpense.datee = Tincome.datee and Texpense.teller = Tincome.teller ");
    const QString columns = QStringLiteral(
        "Texpense.totalm as em,Tincome.totalm as sm,(ifnull(Tincome.totalm, 0) - ifnull(Texpense.totalm, 0)) as tt ");
    // Pairs with expenses (and incomes where there are), then pairs with incomes; union merges a pair found twice.
    return QStringLiteral("select Texpense.datee as ed,Texpense.teller as et,") + columns + QStringLiteral(" from ") +
           expenses + QStringLiteral(" left join ") + incomes + on + QStringLiteral(" union ") +
           QStringLiteral("select Tincome.datee as ed,Tincome.teller as et,") + columns + QStringLiteral(" from ") +
           incomes + QStringLiteral(" left join ") + expenses + on;
}

} // namespace Balance
