#define SQLITE_HAS_CODEC 1
#include "browsers/PictureBrowser.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Connection.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QRectF>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <cstdlib>

namespace {

// A photograph-like 3000 x 2000 JPEG: a sky gradient, leaves and blossoms of many colours
// and sizes, and a fine grain, saved at quality 90.
QByteArray photo(quint32 seed) {
    QImage image(3000, 2000, QImage::Format_RGB32);
    QRandomGenerator r(seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 2000);
    g.setColorAt(0, QColor(120, 170, 220));
    g.setColorAt(1, QColor(60, 110 + int(seed % 40), 40));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4000; ++i) {
        const QColor c =
            QColor::fromHsv(int(r.bounded(360)), 80 + int(r.bounded(170)), 60 + int(r.bounded(190)));
        p.setBrush(c);
        const double w = 8 + r.bounded(120.0);
        p.drawEllipse(QRectF(r.bounded(3000.0), r.bounded(2000.0), w, w * (0.3 + r.bounded(1.0))));
    }
    p.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(r.bounded(9)) - 4;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

void must(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// A database with one herb and two 3000 x 2000 photographs, in a program folder of its own.
QString pictureDatabase(QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("Lumo.mdb"));
    sqlite3* db = nullptr;
    must(db, sqlite3_open(QFile::encodeName(path).constData(), &db));
    must(db, sqlite3_exec(db,
                          "CREATE TABLE Obrazky (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, Nazev TEXT, "
                          "DataObr BLOB)",
                          nullptr, nullptr, nullptr));
    sqlite3_stmt* st = nullptr;
    must(db, sqlite3_prepare_v2(db, "INSERT INTO Obrazky VALUES (?,1,?,?)", -1, &st, nullptr));
    for (int i = 1; i <= 2; ++i) {
        const QByteArray jpeg = photo(quint32(i));
        const QByteArray name = QStringLiteral("Fotografie %1").arg(i).toUtf8();
        sqlite3_bind_int(st, 1, i);
        sqlite3_bind_text(st, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(st, 3, jpeg.constData(), int(jpeg.size()), SQLITE_TRANSIENT);
        must(db, sqlite3_step(st));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return path;
}

// What the user waits for on the pictures page: the next 3000 x 2000 picture read from its
// row, written to "Temp.jpg", decoded and fitted, and painted on the screen.
void BM_ShowLargePicture(benchmark::State& state) {
    using namespace lumo;
    QTemporaryDir dir;
    qputenv("LUMO_PROGRAM_DIR", QFile::encodeName(dir.path()));
    App().ErrObj = std::make_unique<CKelErr>();
    App().SrvObj = std::make_unique<CKelSrv>();
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(pictureDatabase(dir), QString());
    {
        FrmMain form;
        PictureBrowser& pictures = PictureBrowser::Install(form);
        form.resize(1200, 900);
        form.show();
        form.setTabIndex(3);
        form.CurrentTab = 4;
        form.RefillHerbLists(1);
        for (auto _ : state) {
            pictures.mnuObrNext_Click();
            form.ImgByl->repaint();
        }
        state.counters["shown_px"] = form.ImgByl->width() * form.ImgByl->height();
        state.counters["jpeg_bytes"] = double(QFile(dir.filePath(QStringLiteral("Temp.jpg"))).size());
    }
    App().ReleaseObjects();
}
BENCHMARK(BM_ShowLargePicture)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
