#pragma once

#include "ItemPicker.h"

// The expense category and item picker: leibie and xiangmu; fills SelectedExpenseCategoryCode,
// ChosenExpenseItem and ChosenExpenseCategory.
class TForm2 : public ItemPicker {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
