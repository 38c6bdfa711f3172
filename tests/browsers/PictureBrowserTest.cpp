#include "browsers/PictureBrowser.h"
#include "browsers/PictureFit.h"
#include "common/FileSizeLimit.h"
#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/text/AnsiText.h"
#include "print/Printers.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

QString sampleDatabase() {
    return qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
}

QByteArray jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// The window with its pictures page on a database.
class PicturePage : public FrmMainFixture {
protected:
    void openSample() {
        ASSERT_TRUE(QFile::copy(sampleDatabase(), dir.file(QStringLiteral("Lumo.mdb"))));
        App().DbConnection = std::make_unique<db::Connection>();
        App().DbConnection->open(dir.file(QStringLiteral("Lumo.mdb")), DatabasePassword());
    }
    void load() {
        loadWindow([this](FrmMain& f) { pictures = &PictureBrowser::Install(f); });
        form->setTabIndex(3);
    }
    void showHerb(long idx) {
        form->CurrentHerb = idx;
        form->RefillHerbLists(idx);
    }
    QString caption() const { return form->LblObr[0]->text(); }
    QStringList enabled() const {
        QStringList keys;
        for (QAction* a : pictures->Buttons) {
            if (a->isEnabled())
                keys << a->objectName();
        }
        return keys;
    }
    QByteArray blob(const QString& name) const {
        db::Recordset rs;
        rs.open(*App().DbConnection, QStringLiteral("SELECT DataObr FROM Obrazky WHERE Nazev=?"), {name});
        return rs.field(QStringLiteral("DataObr")).bytes();
    }
    QByteArray tempJpg() const { return dir.read(QStringLiteral("Temp.jpg")); }
    void key(Qt::Key k) {
        form->Lv->setFocus();
        QTest::keyClick(form->Lv, k);
    }

    PictureBrowser* pictures = nullptr;
};

} // namespace

// A herb's pictures in name order, the first fitted with its proportions, the others reached
// with the toolbar and the arrow keys (which wrap at the ends); "Temp.jpg" holds exactly the
// picture shown, and the full herb list leaves the pictures reachable.
TEST_F(PicturePage, StepsThroughAHerbsPicturesFittedAndWrapping) {
    openSample();
    load();
    showHerb(1);
    const QString first = QStringLiteral("Heřmánek pravý – kvetoucí rostlina");
    const QString last = QStringLiteral("Heřmánkový květ – droga");
    EXPECT_EQ(caption(), first);
    EXPECT_EQ(form->LblObr[1]->text(), first);
    EXPECT_EQ(form->PictureCount, 3);
    EXPECT_EQ(enabled(), (QStringList{"Last", "Next", "Print"}));
    EXPECT_EQ(tempJpg(), blob(first));

    // 480 x 360 fitted: one side fills the frame, the proportions stay, the labels take its width.
    const QSize frame = form->LvUL->size();
    const QSize shown = form->ImgByl->size();
    EXPECT_TRUE(shown.width() == frame.width() || shown.height() == frame.height());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 480.0 / 360.0, 0.02);
    EXPECT_EQ(form->LblObr[0]->width(), shown.width());
    EXPECT_FALSE(form->ImgByl->pixmap().isNull());
    // Another instance in the same folder writes "Temp.jpg" too: a resize still draws this picture.
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("Temp.jpg"))));
    form->resize(form->width() - 300, form->height() - 200);
    QApplication::processEvents();
    EXPECT_NE(form->ImgByl->size(), shown);
    EXPECT_FALSE(form->ImgByl->pixmap().isNull());
    // Resized on another page: back on this one the picture keeps its proportions.
    form->setTabIndex(0);
    form->resize(form->width() + 300, form->height() + 100);
    QApplication::processEvents();
    form->setTabIndex(3);
    EXPECT_NEAR(double(form->ImgByl->width()) / form->ImgByl->height(), 480.0 / 360.0, 0.02);
    EXPECT_EQ(form->LblObr[1]->width(), form->ImgByl->width());

    pictures->Buttons[1]->trigger(); // Last
    EXPECT_EQ(caption(), last);
    EXPECT_EQ(enabled(), (QStringList{"First", "Prev", "Print"}));
    EXPECT_EQ(tempJpg(), blob(last));
    key(Qt::Key_Right);
    EXPECT_EQ(caption(), first);
    key(Qt::Key_Left);
    EXPECT_EQ(caption(), last);
    key(Qt::Key_Left);
    EXPECT_EQ(caption(), QStringLiteral("Heřmánek pravý – úbor"));
    EXPECT_EQ(enabled(), (QStringList{"First", "Last", "Prev", "Next", "Print"}));

    form->NactiNazvy(QString(), 0); // "Všechny byliny"
    form->setTabIndex(3);
    key(Qt::Key_Right);
    EXPECT_EQ(caption(), last);
    // A program folder where "Temp.jpg" cannot be written still shows the pictures.
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("Temp.jpg"))));
    ASSERT_TRUE(QDir().mkdir(dir.file(QStringLiteral("Temp.jpg"))));
    key(Qt::Key_Right);
    EXPECT_EQ(caption(), first);
    EXPECT_FALSE(form->ImgByl->pixmap().isNull());

    // A herb without pictures: nothing to show and nothing to press.
    showHerb(9999);
    EXPECT_EQ(caption(), QStringLiteral("Obrázek není k dispozici"));
    EXPECT_TRUE(form->ImgByl->pixmap().isNull());
    EXPECT_TRUE(enabled().isEmpty());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
}

// A damaged picture is reported (20) and leaves no picture; the next one still loads, and
// a shorter picture after a longer one leaves no bytes of it behind in "Temp.jpg".
TEST_F(PicturePage, DamagedPictureIsReportedAndTempJpgIsReplacedWhole) {
    const QByteArray big = jpeg(300, 600), small = jpeg(40, 30);
    openDatabase(
        {QStringLiteral("CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, "
                        "IdxCeled INTEGER)"),
         QStringLiteral("CREATE TABLE Jazyk (Idx INTEGER PRIMARY KEY, Nazev TEXT)"),
         QStringLiteral("CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk INTEGER, "
                        "Nazev TEXT)"),
         QStringLiteral("INSERT INTO Jazyk VALUES (1,'Česky')"),
         QStringLiteral("CREATE TABLE Obrazky (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, Nazev TEXT, "
                        "DataObr BLOB)"),
         QStringLiteral("INSERT INTO Byliny VALUES (1,'Hloh','',0)"),
         QStringLiteral("INSERT INTO Obrazky VALUES (7,1,'a velký',X'%1'),(8,1,'b poškozený',X'FFD8FF00'),"
                        "(9,1,'c malý',X'%2')")
             .arg(QString::fromLatin1(big.toHex()), QString::fromLatin1(small.toHex()))});
    load();
    showHerb(1);
    EXPECT_EQ(tempJpg(), big);
    EXPECT_NEAR(double(form->ImgByl->width()) / form->ImgByl->height(), 0.5, 0.02);
    key(Qt::Key_Right);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst obrázek")});
    EXPECT_TRUE(form->ImgByl->pixmap().isNull());
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-UkazObrazek-"))) << log.toStdString();
    key(Qt::Key_Right);
    EXPECT_EQ(caption(), QStringLiteral("c malý"));
    EXPECT_EQ(tempJpg(), small);
}

// One picture on one page of the PDF printer: the picture inside the margins with its
// proportions, its name and the program's name; a cancelled dialog prints nothing.
TEST_F(PicturePage, PrintsThePictureOnOnePage) {
    openSample();
    load();
    showHerb(1);
    const QString pdf = dir.file(QStringLiteral("obrazek.pdf"));
    ASSERT_TRUE(print::SelectPrinter(print::PdfPrinterName()));
    print::SetPdfOutputFile(pdf);
    pictures->ChoosePrinter = [](QWidget*) { return false; };
    pictures->MenuItems[4]->trigger();
    EXPECT_FALSE(QFile::exists(pdf));

    // A disk that fills up: nothing reported (the command passes over its failures), no half file,
    // and the next print is whole.
    pictures->ChoosePrinter = [](QWidget*) { return true; };
    {
        const test::FileSizeLimit full(4096);
        pictures->MenuItems[4]->trigger();
    }
    EXPECT_FALSE(QFile::exists(pdf));
    pictures->MenuItems[4]->trigger();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    QProcess p; // pdftotext (poppler-utils)
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished());
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Heřmánek pravý – kvetoucí rostlina"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Zefirak")));
    print::SetPdfOutputFile(QString());
}

TEST(PictureFitting, ProportionsPageSizesButtonsAndSteps) {
    const PictureBox wide = FitPicture(6000, 4000, 400, 300);
    EXPECT_NEAR(wide.width, 5333.3, 0.1);
    EXPECT_DOUBLE_EQ(wide.height, 4000);
    const PictureBox tall = FitPicture(6000, 4000, 300, 600);
    EXPECT_DOUBLE_EQ(tall.width, 2000);
    EXPECT_DOUBLE_EQ(tall.height, 4000);
    EXPECT_DOUBLE_EQ(FitPicture(6000, 4000, 0, 0).width, 6000);
    EXPECT_DOUBLE_EQ(FitPicture(0, 4000, 400, 300).width, 0); // no frame: nothing shown
    for (double percent : {0.0, 150.0})
        EXPECT_DOUBLE_EQ(PrintedPictureSize(1000, 1000, 200, 100, percent).width, 1000);
    EXPECT_DOUBLE_EQ(PrintedPictureSize(1000, 1000, 200, 100, 50).height, 250);

    const PictureButtons one = PictureButtonStates(1, 1);
    EXPECT_TRUE(one.Print && !one.First && !one.Last && !one.Prev && !one.Next);
    EXPECT_FALSE(PictureButtonStates(0, 0).Print);
    EXPECT_EQ(SteppedPicture(PictureStep::Next, 3, 3), 1);
    EXPECT_EQ(SteppedPicture(PictureStep::Prev, 3, 1), 3);
    EXPECT_EQ(SteppedPicture(PictureStep::Next, 1, 1), 1);
    EXPECT_EQ(SteppedPicture(PictureStep::First, 3, 1), 1);
}

} // namespace lumo::test
