#pragma once

#include <QString>

// The per-date-and-person balance (ed, et, em, sm, tt). Jet writes it as a left join united with a
// right join that refer to their own output aliases; the engine has neither, so it is built here,
// in the engine's own form, from the Jet having text (" having datee between #..# and #..# ...")
// that every grouped subquery carries.
namespace Balance {

QString statement(const QString& jetHaving = QStringLiteral(" "));

} // namespace Balance
