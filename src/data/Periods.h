#pragma once

#include <QDate>
#include <functional>

// Today's date and the date ranges of the entry page. Tests may fix today.
namespace Periods {

QDate today();
void setTodayForTesting(std::function<QDate()> clock); // an empty function restores the system clock

QDate monthBegin(const QDate& d);
QDate monthEnd(const QDate& d);
// The day of that number in the current month, or the sentinel 1981-7-7 when the month lacks it.
QDate dayInCurrentMonth(int day);
// The same day one month earlier, clamped to that month's length (31 March -> 28 or 29 February).
QDate sameDayPreviousMonth(const QDate& d);

} // namespace Periods
