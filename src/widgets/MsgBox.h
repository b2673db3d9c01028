#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the program goes through here: Chinese buttons, the icon and caption each
// message asks for, and a test hook. In test mode answers are queued in advance and every box shown
// is recorded; a box with no queued answer ends the test run at once instead of blocking it.
namespace MsgBox {

enum class Icon { None, Information, Warning, Question, Critical };
enum class Answer { Ok, Yes, No, Cancel };

struct Shown {
    Icon icon;
    QString caption;
    QString text;
};

// The caption of refused inputs and most messages.
QString appCaption();

void plain(QWidget* parent, const QString& text, const QString& caption = appCaption());
void information(QWidget* parent, const QString& text, const QString& caption = appCaption());
void warning(QWidget* parent, const QString& text, const QString& caption = appCaption());
void critical(QWidget* parent, const QString& text, const QString& caption = appCaption());
// Yes/No question with the question icon; true on Yes.
bool question(QWidget* parent, const QString& text, const QString& caption = appCaption());

// The test hook.
void setTestMode(bool on);
bool testMode();
void queueAnswer(Answer answer);
int pendingAnswers();
const QList<Shown>& shown();
void clearShown();
// Clears queued answers and the record.
void resetTest();

} // namespace MsgBox

// Save/open file dialogs, with the same kind of test hook (queued file names; "" stands for Cancel).
namespace FileDialog {

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
void queueFileName(const QString& name);

} // namespace FileDialog
