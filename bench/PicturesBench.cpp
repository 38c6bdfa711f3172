#include "browsers/PictureBrowser.h"
#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "core/Settings.h"
#include "data/builder/DbWriter.h"
#include "data/builder/HerbDbBuilder.h"
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

// The real schema and key with one herb's two 3000 x 2000 photographs, in a program folder of
// its own; written by the database builder's writer.
QString pictureDatabase(QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("Lumo.mdb"));
    lumo::data::DbWriter db(path, lumo::db::kDatabasePassword);
    lumo::data::HerbDbBuilder::createSchema(db, QStringLiteral(LUMO_SCHEMA_FILE));
    db.begin();
    for (int i = 1; i <= 2; ++i)
        db.insert(QStringLiteral("Obrazky"),
                  {i, 1, QStringLiteral("Fotografie %1").arg(i), photo(quint32(i))});
    db.commit();
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
    App().DbConnection->open(pictureDatabase(dir), DatabasePassword());
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
