#pragma once

#include <QString>

// Turns the program's Jet (Access) SQL into the text of the target engine. A tokenizer, not text
// substitution: quoted strings and parameter names pass through untouched.
//   #2024-1-5#            -> '2024-01-05'          select top N ...       -> select ... limit N
//   delete * from         -> delete from           true / false           -> -1 / 0
//   IsNull(x)             -> (x is null)           iif(c, a, b)           -> (case when c then a else b end)
//   a order by .. union all b order by ..          -> a union all b order by ..  (one order for the union)
// year() and month() stay as they are: the connection registers them as functions.
namespace JetDialect {

enum class Target { Sqlite };

// Throws DbError on text it cannot carry (an unterminated string, a date literal that is not a date).
QString translate(const QString& jet, Target target = Target::Sqlite);

// The same, without the statement's final order clause: for wrapping a query in an aggregate, where
// sorting would only cost time.
QString translateUnordered(const QString& jet, Target target = Target::Sqlite);

// A Jet string literal: the text between single quotes with inner quotes doubled.
QString quoted(const QString& text);

} // namespace JetDialect
