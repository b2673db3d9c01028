#pragma once

#include <QList>
#include <QString>

enum class FieldType { AutoInc, Integer, Float, Text, Date, Bool, Variant };

// One field of a dataset. Read-only fields are never written back; calculated ones are not stored at all.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Variant;
    int width = 0; // characters, for text
    bool readOnly = false;
    bool calculated = false;
    QString label = {}; // the name used in messages; the column's Chinese name when empty
};

using FieldList = QList<FieldDef>;
