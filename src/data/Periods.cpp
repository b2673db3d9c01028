#include "Periods.h"

#include "Format.h"

namespace Periods {
namespace {
std::function<QDate()>& clock() {
    static std::function<QDate()> c;
    return c;
}
} // namespace

QDate today() {
    return clock() ? clock()() : QDate::currentDate();
}

void setTodayForTesting(std::function<QDate()> c) {
    clock() = std::move(c);
}

QDate monthBegin(const QDate& d) {
    return QDate(d.year(), d.month(), 1);
}

QDate monthEnd(const QDate& d) {
    return QDate(d.year(), d.month(), d.daysInMonth());
}

QDate dayInCurrentMonth(int day) {
    const QDate t = today();
    const QDate d(t.year(), t.month(), day);
    return d.isValid() ? d : Format::sentinelDate();
}

QDate sameDayPreviousMonth(const QDate& d) {
    return d.addMonths(-1); // QDate clamps the day to the shorter month
}

} // namespace Periods
