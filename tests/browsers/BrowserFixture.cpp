#include "browsers/BrowserFixture.h"

#include "browsers/Browsers.h"
#include "browsers/BrowsersRegistration.h"

#include <QApplication>
#include <QFile>
#include <QTreeWidget>

namespace lumo::test {

namespace {

QStringList schema() {
    QFile file(QStringLiteral(LUMO_SCHEMA_SQL));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            lines << line;
    QStringList statements;
    for (const QString& s : lines.join(u'\n').split(u';'))
        if (!s.trimmed().isEmpty())
            statements << s.trimmed();
    return statements;
}

} // namespace

QStringList CategoryDatabase() {
    QStringList s = schema();
    s << QStringLiteral("INSERT INTO Byliny VALUES (1,'Heřmánek','',1),(2,'Chmel','',2),(3,'Černucha','',1),"
                        "(4,'Cibule','',0),(5,'Šalvěj','',1)")
      << QStringLiteral(
             "INSERT INTO Nazvy VALUES (1,1,5,'Chamomile'),(2,2,5,'Hop'),(3,3,5,'  '),(4,5,5,'Sage')")
      << QStringLiteral("INSERT INTO Jazyk VALUES (1,'Česky'),(2,'Latinsky'),(3,'Slovensky'),(4,'Německy'),"
                        "(5,'Anglicky'),(6,'Francouzsky'),(7,'Španělsky'),(8,'Rusky'),(9,'Lidově')")
      << QStringLiteral("INSERT INTO Celedi VALUES (1,'Hvězdnicovité','Asteraceae','Úbory.' || char(13,10)),"
                        "(2,'Konopovité','Cannabaceae','Dvoudomé.' || char(13,10))")
      << QStringLiteral("INSERT INTO UcinneLatky VALUES (10,'Silice','Těkavé látky.' || char(13,10)),"
                        "(11,'Flavonoidy','Barviva.' || char(13,10)),(12,'Třísloviny',NULL)")
      << QStringLiteral(
             "INSERT INTO UcLatkyByliny VALUES (1,10),(1,11),(2,10),(3,10),(3,11),(5,10),(5,11),(5,12)")
      << QStringLiteral("INSERT INTO IndikacniSkupiny VALUES (20,'Trávení','Zažívání.' || char(13,10)),"
                        "(21,'Dýchání','Dech.' || char(13,10))")
      << QStringLiteral("INSERT INTO IndSkupByliny VALUES (1,20),(5,20),(2,21)")
      << QStringLiteral("INSERT INTO Kombinace VALUES (40,'Čajová směs','Směs.' || char(13,10))")
      << QStringLiteral("INSERT INTO KombinaceByliny VALUES (1,40),(5,40)")
      << QStringLiteral("INSERT INTO Casti VALUES (20,'kořen'),(21,'list'),(22,'květ')")
      << QStringLiteral("INSERT INTO Sber VALUES (1,20,3),(1,22,3),(1,22,5),(3,20,3),(5,21,5)")
      << QStringLiteral("INSERT INTO Indikace VALUES (30,'Zažívací potíže','Trávení.' || char(13,10),0),"
                        "(31,'Nadýmání','Plyny.' || char(13,10),30),(32,'Průjem',NULL,30),"
                        "(33,'Kašel','Reflex.' || char(13,10),0)")
      << QStringLiteral("INSERT INTO IndikaceByliny VALUES (1,30),(1,31),(1,33),(2,30),(2,32),(3,33)")
      << QStringLiteral(
             "INSERT INTO Literatura VALUES (1,'Korbelář','Naše rostliny','Příručka.' || char(13,10)),"
             "(2,'Janča','Herbář','Dílo.' || char(13,10))");
    return s;
}

void BrowserFixture::loadBrowsers(const QStringList& statements) {
    openDatabase(statements);
    form = new FrmMain();
    browsers = &InstallBrowsers(*form);
    auto view = std::make_unique<RecordingRecordView>(*form);
    record = view.get();
    form->setRecordView(std::move(view));
    form->Form_Load();
    QApplication::setActiveWindow(form);
    QApplication::processEvents();
    form->Form_Activate();
}

void BrowserFixture::showHerb(long idx) {
    form->CurrentHerb = idx;
    form->RefillHerbLists(idx);
}

QStringList BrowserFixture::texts(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

QStringList BrowserFixture::checkedTexts(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
            out << list->topLevelItem(i)->text(0);
    return out;
}

void BrowserFixture::select(QTreeWidget* list, const QString& text) {
    const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    list->setCurrentItem(found.first());
}

void BrowserFixture::check(QTreeWidget* list, const QString& text, bool on) {
    const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    found.first()->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

QString BrowserFixture::condition() const {
    return form->panelText(QStringLiteral("Podminka"));
}

void BrowserFixture::choose(const QString& text) {
    const QList<QTreeWidgetItem*> found = form->Lv->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    form->selectListItem(found.first());
    form->UkazVybrane();
}

} // namespace lumo::test
