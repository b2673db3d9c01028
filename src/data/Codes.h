#pragma once

#include <QString>

class Connection;

// The next category or item code after the last one given: "" -> "01", "09" -> "10", "99" -> "100".
// Throws DbError when last is not a whole number.
QString NextCode(const QString& last);

namespace Codes {

enum class Kind { Expense, Income };

// The code of the most recently added category ("" when there is none).
QString lastCategoryCode(Connection& con, Kind kind);
// The own code of the most recently added item of a category ("" when there is none).
QString lastItemCode(Connection& con, Kind kind, const QString& categoryCode);
QString nextCategoryCode(Connection& con, Kind kind);
QString nextItemCode(Connection& con, Kind kind, const QString& categoryCode);
// The code of the category with this name, or "" when there is no such category.
QString categoryCodeOf(Connection& con, Kind kind, const QString& categoryName);
// The full item code: the category's code followed by the item's own.
QString fullItemCode(const QString& fbianma, const QString& zbianma);

} // namespace Codes
