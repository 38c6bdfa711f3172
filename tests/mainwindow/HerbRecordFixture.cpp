#include "mainwindow/HerbRecordFixture.h"

#include "mainwindow/HerbRecord.h"
#include "platform/ui/RichTextBox.h"

#include <QApplication>
#include <QTreeWidget>

namespace lumo::test {

QString SectionRtf(const QString& heading, const QString& body) {
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}}"
                          "{\\colortbl ;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}"
                          "\\pard\\f0\\fs20\\cf1\\b ") +
           heading + QStringLiteral("\\cf0\\b0\\par ") + body + QStringLiteral("\\par}");
}

QStringList RecordDatabase() {
    const QString longBody = QStringLiteral("Dlouhý odstavec o účincích byliny. ").repeated(40);
    const QStringList headings{QStringLiteral("Indikační skupina:"), QStringLiteral("Účinné látky:"),
                               QStringLiteral("Indikace:"), QStringLiteral("Lékové formy:"),
                               QStringLiteral("Kontraindikace:")};
    QStringList texts;
    for (int i = 0; i < headings.size(); ++i)
        texts << QStringLiteral("(1,%1,'%2')").arg(i + 1).arg(SectionRtf(headings[i], longBody));
    texts << QStringLiteral("(1,6,'%1')")
                 .arg(QStringLiteral("{\\rtf1\\ansi\\fs20 Bez dvojtečky\\par Druhý řádek\\par}"));
    texts << QStringLiteral("(2,1,'%1')").arg(SectionRtf(headings[0], QStringLiteral("Trávení.")));
    return {
        QStringLiteral(
            "CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, IdxCeled INTEGER)"),
        QStringLiteral(
            "CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk INTEGER, Nazev TEXT)"),
        QStringLiteral("CREATE TABLE Jazyk (Idx INTEGER PRIMARY KEY, Nazev TEXT)"),
        QStringLiteral(
            "CREATE TABLE Celedi (Idx INTEGER PRIMARY KEY, Nazev TEXT, Latinsky TEXT, Popis TEXT)"),
        QStringLiteral("CREATE TABLE Clanky (IdxByliny INTEGER, Clanek TEXT)"),
        QStringLiteral("CREATE TABLE Texty (IdxByliny INTEGER, IdxTyp INTEGER, Clanek TEXT)"),
        QStringLiteral(
            "INSERT INTO Byliny VALUES (1,'Máta peprná','Máta',2),(2,'Heřmánek pravý','Heřmánek',1),"
            "(3,NULL,NULL,NULL),(4,'Šalvěj {lékařská}','Šalvěj',99),(5,'Vadná','Vadná','x')"),
        QStringLiteral("INSERT INTO Nazvy VALUES (1,1,3,'Mäta pieporná'),(2,1,9,'peprmintka'),"
                       "(3,1,2,'Mentha piperita'),(4,1,9,'máta'),(5,1,12,'mimo jazyky'),(6,1,1,'Máta'),"
                       "(7,4,2,'Salvia officinalis'),(8,4,8,'Шалфей')"),
        QStringLiteral("INSERT INTO Jazyk VALUES (1,'Česky'),(2,'Latinsky'),(3,'Slovensky'),(4,'Německy'),"
                       "(5,'Anglicky'),(6,'Francouzsky'),(7,'Španělsky'),(8,'Rusky'),(9,'Lidově')"),
        QStringLiteral("INSERT INTO Celedi VALUES (1,'hvězdnicovité','Asteraceae',''),"
                       "(2,'hluchavkovité','Lamiaceae','')"),
        QStringLiteral("INSERT INTO Clanky VALUES (1,'{\\rtf1\\ansi\\fs24 Článek o mátě peprné\\par Druhý "
                       "odstavec\\par}')"),
        QStringLiteral("INSERT INTO Texty VALUES ") + texts.join(u','),
    };
}

QStringList BoxLines(const ui::RichTextBox& box) {
    QStringList lines = box.Text().split(QStringLiteral("\r\n"));
    for (QString& line : lines) {
        while (line.endsWith(u' '))
            line.chop(1);
    }
    return lines;
}

void HerbRecordFixture::loadRecordWindow(const QStringList& more) {
    openDatabase(RecordDatabase() + more);
    form = new FrmMain();
    auto recordView = std::make_unique<HerbRecord>(*form);
    view = recordView.get();
    form->setRecordView(std::move(recordView));
    form->Hooks.HerbListLoaders[0] = [this](long idx) { refills.push_back(idx); };
    form->Form_Load();
    QApplication::setActiveWindow(form);
    QApplication::processEvents();
    form->Form_Activate();
    refills.clear();
}

void HerbRecordFixture::show(long idx) {
    form->selectListItem(form->findListKey(QStringLiteral("K%1").arg(idx)));
    form->UkazBylinu();
}

QStringList HerbRecordFixture::recordLines() const {
    return BoxLines(*form->RtfByl);
}

} // namespace lumo::test
