#include "Codes.h"

#include "Connection.h"
#include "DbError.h"
#include "JetDialect.h"

#include <limits>

QString NextCode(const QString& last) {
    if (last.isEmpty())
        return QStringLiteral("01");
    bool ok = false;
    const qint64 n = last.trimmed().toLongLong(&ok);
    if (!ok || n < 0 || n == std::numeric_limits<qint64>::max())
        throw DbError(QStringLiteral("“%1”不是有效的整数，编码无法生成。").arg(last));
    const qint64 next = n + 1;
    return next < 10 ? QStringLiteral("0") + QString::number(next) : QString::number(next);
}

namespace Codes {
namespace {

QString categoryTable(Kind kind) {
    return kind == Kind::Expense ? QStringLiteral("leibie") : QStringLiteral("sleibie");
}

QString itemTable(Kind kind) {
    return kind == Kind::Expense ? QStringLiteral("xiangmu") : QStringLiteral("sxiangmu");
}

} // namespace

QString lastCategoryCode(Connection& con, Kind kind) {
    return con.scalar(QStringLiteral("select top 1 bianma from %1 order by id DESC").arg(categoryTable(kind)))
        .toString();
}

QString lastItemCode(Connection& con, Kind kind, const QString& categoryCode) {
    return con
        .scalar(QStringLiteral("select top 1 zbianma from %1 where  fbianma = %2 order by id DESC")
                    .arg(itemTable(kind), JetDialect::quoted(categoryCode)))
        .toString();
}

QString nextCategoryCode(Connection& con, Kind kind) {
    return NextCode(lastCategoryCode(con, kind));
}

QString nextItemCode(Connection& con, Kind kind, const QString& categoryCode) {
    return NextCode(lastItemCode(con, kind, categoryCode));
}

QString categoryCodeOf(Connection& con, Kind kind, const QString& categoryName) {
    return con
        .scalar(QStringLiteral("select bianma from %1 where leibie = %2")
                    .arg(categoryTable(kind), JetDialect::quoted(categoryName)))
        .toString();
}

QString fullItemCode(const QString& fbianma, const QString& zbianma) {
    return fbianma + zbianma;
}

} // namespace Codes
