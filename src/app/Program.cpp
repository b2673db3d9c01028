#include "Program.h"

#include "MsgBox.h"
#include "TDM.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm8.h"
#include "TForm9.h"

namespace Program {

void createObjects(const QString& databasePath) {
    Form5 = new TForm5;
    Form1 = new TForm1;
    DM = new TDM;
    const bool opened = databasePath.isEmpty() ? DM->DataModuleCreate() : DM->openDatabase(databasePath);
    if (!opened)
        MsgBox::plain(nullptr, DM->failureMessage());
    Form1->connectDataModule();
    Form2 = new TForm2(Form1);
    Form3 = new TForm3(Form1);
    Form4 = new TForm4(Form1);
    Form6 = new TForm6(Form1);
    Form8 = new TForm8(Form1);
    Form9 = new TForm9(Form1);
}

void destroyObjects() {
    // The dialogs are children of the main window and go with it.
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form6 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
    delete DM;
    DM = nullptr;
    delete Form5;
    Form5 = nullptr;
}

} // namespace Program
