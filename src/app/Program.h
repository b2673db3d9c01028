#pragma once

#include <QString>

// The program body: creates the nine objects of the run, in their fixed order, and removes them again.
namespace Program {

// Creates Form5, Form1, DM, Form2, Form3, Form4, Form6, Form8, Form9. DM opens kv.dat beside the
// executable, or databasePath when one is given (tests). A database that cannot be opened shows the one
// failure message; start-up goes on.
void createObjects(const QString& databasePath = {});
void destroyObjects();

} // namespace Program
