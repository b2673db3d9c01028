#include "TForm9.h"

#include "TDM.h"
#include "TForm1.h"

TForm9* Form9 = nullptr;

namespace {

ItemPicker::Setup incomeSetup() {
    ItemPicker::Setup s;
    s.objectName = QStringLiteral("Form9");
    s.caption = QStringLiteral("收入项目选择");
    s.categories = DM ? DM->ADOQuery1 : nullptr;
    s.items = DM ? DM->ADOQuery2 : nullptr;
    s.itemTable = QStringLiteral("sxiangmu");
    s.selectedCategoryCode = &SelectedIncomeCategoryCode;
    s.chosenItem = &ChosenIncomeItem;
    s.chosenCategory = &ChosenIncomeCategory;
    return s;
}

} // namespace

TForm9::TForm9(QWidget* parent) : ItemPicker(incomeSetup(), parent) {}
