// Rewrites one 10,000-item list in the given settings file over and over, alternating between two
// versions, until it is killed. The stored-list tests kill it at random moments.
#include "settings/IniSettingsStore.h"
#include "settings/StoredList.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    luma::IniSettingsStore store(QString::fromLocal8Bit(argv[1]));
    luma::StoredList list(store, QStringLiteral("pictures"));
    for (int round = 0;; ++round) {
        const QString version = round % 2 == 0 ? QStringLiteral("a") : QStringLiteral("b");
        const int count = round % 2 == 0 ? 10000 : 9000;
        QStringList items;
        for (int i = 1; i <= count; ++i) {
            items.append(QStringLiteral("/pictures/%1/%2.jpg").arg(version).arg(i));
        }
        if (!list.rewrite(items)) {
            return 1;
        }
        if (round == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
}
