#pragma once

#include <QString>

class Connection;

// The tables of kv.dat, the rows the program relies on, and the schema version.
namespace Schema {

constexpr int Version = 1;

// Creates every table, index and fixed row on an empty database, in one transaction.
void create(Connection& con);

// Writes a new kv.dat at path with the key. Refuses (DbError) when the file already exists.
void createFile(const QString& path, const QString& key);

// Checks the schema version of an open file: an older file is upgraded in one transaction, a file
// without the version table or from a newer program is refused with a readable error.
void check(Connection& con);

// The Chinese name of a column, for messages about its value.
QString columnLabel(const QString& column);

} // namespace Schema
