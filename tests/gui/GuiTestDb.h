#pragma once

#include "MsgBox.h"
#include "Program.h"
#include "Schema.h"
#include "TDM.h"
#include "TForm1.h"

#include <QTemporaryDir>
#include <QTest>

// A fresh kv.dat and the program's nine objects created over it, message boxes in test mode.
struct GuiTestDb {
    QTemporaryDir dir;

    explicit GuiTestDb(bool createFile = true) {
        MsgBox::setTestMode(true);
        if (createFile)
            Schema::createFile(path(), TDM::DatabasePassword);
        Program::createObjects(path());
    }
    ~GuiTestDb() {
        Program::destroyObjects();
        MsgBox::resetTest();
    }
    QString path() const { return dir.filePath(QStringLiteral("kv.dat")); }

    template <typename T = QWidget> static T* find(const char* objectName) {
        T* w = Form1->findChild<T*>(QString::fromLatin1(objectName));
        if (!w)
            qFatal("no widget named %s", objectName);
        return w;
    }
};
