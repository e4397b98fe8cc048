// Record viewer figures: opening the viewer on a kind of 10,000 records
// (every record checked, the first page charted) and exporting all 14 kinds
// of 10,000 records each.
#include "app/AppState.h"
#include "app/Msg.h"
#include "records/PracticeKinds.h"
#include "records/RecordCheck.h"
#include "records/RecordExport.h"
#include "records/ui/Form_Show_TestLog.h"
#include "records/ui/SpeedChartView.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tesmara;

namespace {

void fill(Database& db, int type, int count)
{
    db.transaction([&] {
        for (int i = 0; i < count; ++i) {
            QSqlQuery q = db.exec(
                QStringLiteral("insert into testlog (type, s, t, r) values (?, ?, ?, ?)"),
                {QString::number(type), 30 + i % 150, 1 + i % 10, QStringLiteral("%1 %").arg(80 + (i % 200) / 10.0)});
            const qint64 id = q.lastInsertId().toLongLong();
            QSqlQuery back = db.exec(QStringLiteral("select ID, type, s, t, r from testlog where ID = ?"), {id});
            back.next();
            db.exec(QStringLiteral("update testlog set c = ? where ID = ?"),
                    {Record_Check(back.value(0).toString(), back.value(1).toString(), back.value(2).toString(),
                                  back.value(3).toString(), back.value(4).toString()),
                     id});
        }
        return true;
    });
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    App().App_Path = dir.path() + QLatin1Char('/');
    Database& db = App().Conn_User;
    if (!db.open(dir.path() + QStringLiteral("/d.at"), Database::Mode::ReadWrite)) {
        std::fprintf(stderr, "cannot open the database\n");
        return 1;
    }
    createUserTables(db);
    QElapsedTimer fillTimer;
    fillTimer.start();
    for (int tab = 0; tab < kKindCount; ++tab) {
        fill(db, Kind_Type(tab), 10000);
    }
    std::printf("filled 14 x 10,000 records in %.1f s\n", fillTimer.elapsed() / 1000.0);

    // Opening: construction reads and checks the kind and charts page one;
    // showing and one round of events paints it.
    std::vector<double> open;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer t;
        t.start();
        Form_Show_TestLog window;
        window.show();
        QApplication::processEvents();
        open.push_back(t.nsecsElapsed() / 1e6);
        if (window.loaded().records.size() != 10000 || window.loaded().removed != 0 ||
            window.findChild<SpeedChartView*>()->visiblePoints().size() != 50) {
            std::fprintf(stderr, "viewer did not load the kind as expected\n");
            return 1;
        }
    }
    std::printf("open viewer, 10,000 records checked, page 1 charted: median %.1f ms (min %.1f, max %.1f)\n",
                median(open), *std::min_element(open.begin(), open.end()), *std::max_element(open.begin(), open.end()));

    const QString path = dir.path() + QStringLiteral("/all.txt");
    std::vector<double> exportAll;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        if (!Write_File_Whole(path, Encode_System(Export_All_Text(db)))) {
            std::fprintf(stderr, "export failed\n");
            return 1;
        }
        exportAll.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("export all 14 kinds x 10,000 records (%lld bytes, %s): median %.1f ms (min %.1f, max %.1f)\n",
                static_cast<long long>(QFileInfo(path).size()), qPrintable(System_Codec_Name()), median(exportAll),
                *std::min_element(exportAll.begin(), exportAll.end()),
                *std::max_element(exportAll.begin(), exportAll.end()));
    App().reset();
    return 0;
}
