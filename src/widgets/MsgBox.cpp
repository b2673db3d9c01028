#include "MsgBox.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>
#include <cstdio>
#include <cstdlib>

namespace MsgBox {
QQueue<QString>& queuedFileNames();
namespace {

struct TestState {
    bool on = false;
    QQueue<Answer> answers;
    QList<Shown> shown;
    QQueue<QString> fileNames;
};

TestState& test() {
    static TestState s;
    return s;
}

[[noreturn]] void unexpected(const QString& what) {
    std::fprintf(stderr, "FAIL! unexpected %s with no queued answer: %s\n", "dialog", qPrintable(what));
    std::fflush(stderr);
    std::abort();
}

Answer ask(QWidget* parent, Icon icon, const QString& caption, const QString& text, bool yesNo) {
    if (test().on) {
        test().shown.append({icon, caption, text});
        if (test().answers.isEmpty())
            unexpected(caption + QStringLiteral(": ") + text);
        return test().answers.dequeue();
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        break;
    }
    if (yesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Answer::Ok;
}

} // namespace

QString appCaption() {
    return QStringLiteral("Zorvane");
}

void plain(QWidget* parent, const QString& text, const QString& caption) {
    ask(parent, Icon::None, caption, text, false);
}

void information(QWidget* parent, const QString& text, const QString& caption) {
    ask(parent, Icon::Information, caption, text, false);
}

void warning(QWidget* parent, const QString& text, const QString& caption) {
    ask(parent, Icon::Warning, caption, text, false);
}

void critical(QWidget* parent, const QString& text, const QString& caption) {
    ask(parent, Icon::Critical, caption, text, false);
}

bool question(QWidget* parent, const QString& text, const QString& caption) {
    return ask(parent, Icon::Question, caption, text, true) == Answer::Yes;
}

void setTestMode(bool on) {
    test().on = on;
}

bool testMode() {
    return test().on;
}

void queueAnswer(Answer answer) {
    test().answers.enqueue(answer);
}

int pendingAnswers() {
    return int(test().answers.size());
}

const QList<Shown>& shown() {
    return test().shown;
}

void clearShown() {
    test().shown.clear();
}

void resetTest() {
    test().answers.clear();
    test().shown.clear();
    test().fileNames.clear();
}

QQueue<QString>& queuedFileNames() {
    return test().fileNames;
}

} // namespace MsgBox

namespace FileDialog {
namespace {

QString take(const QString& caption) {
    auto& q = MsgBox::queuedFileNames();
    if (q.isEmpty())
        MsgBox::critical(nullptr, QStringLiteral("unexpected file dialog: ") + caption); // aborts in test mode
    return q.isEmpty() ? QString() : q.dequeue();
}

} // namespace

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (MsgBox::testMode())
        return take(caption);
    QFileDialog dlg(parent, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("文件名"));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型"));
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("位置"));
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first() : QString();
}

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (MsgBox::testMode())
        return take(caption);
    QFileDialog dlg(parent, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setLabelText(QFileDialog::Accept, QStringLiteral("打开"));
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("文件名"));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型"));
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("位置"));
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first() : QString();
}

void queueFileName(const QString& name) {
    MsgBox::queuedFileNames().enqueue(name);
}

} // namespace FileDialog
