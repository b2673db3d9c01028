// zorvane-mkdb PATH: writes a new, valid kv.dat at PATH. An existing file is left as it is.
#include "DbError.h"
#include "Schema.h"
#include "TDM.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorvane-mkdb PATH\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path))
        return 0;
    try {
        Schema::createFile(path, TDM::DatabasePassword);
    } catch (const DbError& e) {
        std::fprintf(stderr, "zorvane-mkdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
