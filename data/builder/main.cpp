#include "data/builder/DbChecker.h"
#include "data/builder/DbWriter.h"
#include "data/builder/HerbDbBuilder.h"
#include "data/builder/SyntheticDb.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

int usage() {
    std::fputs("usage: lumo_dbbuild build <schema.sql> <content-dir> <out-dir>\n"
               "       lumo_dbbuild synthetic <schema.sql> <content-dir> <out-dir> [herbs]\n"
               "       lumo_dbbuild check <Lumo.mdb> [minimum herbs]\n",
               stderr);
    return 2;
}

void print(FILE* to, const QString& line) {
    std::fprintf(to, "%s\n", line.toUtf8().constData());
}

int check(const QStringList& args) {
    const int minHerbs = args.size() > 3 ? args[3].toInt() : 1;
    lumo::data::DbChecker checker(args[2], lumo::db::kDatabasePassword);
    const QStringList problems = checker.run(minHerbs);
    for (const QString& p : problems)
        print(stderr, QStringLiteral("problem: ") + p);
    if (!problems.isEmpty())
        return 1;
    for (const QString& c : checker.counts())
        print(stdout, c);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The plates are painted without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return usage();
    const QString mode = args[1];
    QElapsedTimer timer;
    timer.start();
    try {
        if (mode == u"check")
            return check(args);
        if (mode == u"build" && args.size() == 5) {
            lumo::data::HerbDbBuilder builder(args[2], args[3]);
            builder.build(args[4]);
            print(
                stdout,
                QStringLiteral("Lumo.mdb: %1 herbs in %2 ms").arg(builder.herbCount()).arg(timer.elapsed()));
            return 0;
        }
        if (mode == u"synthetic" && (args.size() == 5 || args.size() == 6)) {
            const int count = args.size() == 6 ? args[5].toInt() : 2000;
            if (count < 1)
                return usage();
            lumo::data::SyntheticDb(args[2], args[3], count).build(args[4]);
            print(stdout,
                  QStringLiteral("synthetic Lumo.mdb: %1 herbs in %2 ms").arg(count).arg(timer.elapsed()));
            return 0;
        }
    } catch (const std::exception& e) {
        print(stderr, QStringLiteral("lumo_dbbuild: ") + QString::fromUtf8(e.what()));
        return 1;
    }
    return usage();
}
