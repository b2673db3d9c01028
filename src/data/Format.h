#pragma once

#include <QDate>
#include <QString>

// Date text and money text: the one place that decides how they look.
namespace Format {

// "yyyy-M-d", no leading zeros: the date text of every grid, message and SQL literal.
QString dateText(const QDate& date);

// Parses date text strictly: "yyyy-M-d", "yyyy-MM-dd" or "yyyy/M/d", optionally followed by a time of day.
// Returns an invalid QDate for anything that is not a real calendar date.
QDate parseDate(const QString& text);

// ISO "YYYY-MM-DD": how dates are stored.
QString isoDate(const QDate& date);

// "￥1,234.50 ": the display of amounts.
QString money(double value);

// Shortest general number text: up to 15 significant digits, no thousands separator, no trailing zeros.
QString general(double value);

// Rounds halves to the even neighbour (12.5 -> 12, 13.5 -> 14) at the given number of decimals.
double bankersRound(double value, int decimals = 0);

// The sentinel date of a day the month does not have.
QDate sentinelDate();

} // namespace Format
