#pragma once

#include "FieldDef.h"

#include <QVariant>
#include <cstdint>
#include <string>
#include <vector>

class Statement;

// Rows of a dataset kept column by column: numbers in flat arrays, texts as UTF-8 in one pool per
// column. A million records cost about a hundred bytes each, not a QVariant per cell.
class ColumnStore {
public:
    void reset(const FieldList& fields);
    void clear();
    uint32_t appendRow(); // every cell null
    size_t rowCount() const { return m_rows; }

    QVariant get(uint32_t row, int col) const;
    double number(uint32_t row, int col) const; // 0 for null or text
    bool isNull(uint32_t row, int col) const;
    void set(uint32_t row, int col, const QVariant& value); // value already of the field's type
    void load(uint32_t row, int col, const Statement& st, int stCol);

private:
    struct Column {
        FieldType type = FieldType::Variant;
        std::vector<int64_t> ints; // AutoInc, Integer, Bool, Date (Julian day)
        std::vector<double> reals;
        std::vector<uint32_t> textOffset, textLength; // length NullText marks a null
        std::string pool;
        std::vector<QVariant> variants;
        std::vector<bool> nulls;
    };
    static constexpr uint32_t NullText = UINT32_MAX;

    void putText(Column& c, uint32_t row, const char* data, size_t size);

    std::vector<Column> m_cols;
    size_t m_rows = 0;
};
