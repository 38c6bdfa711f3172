#include "mainwindow/FrmMainFixture.h"

#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/DbFixture.h"
#include "platform/db/Connection.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTreeWidget>

namespace lumo::test {

void RecordingRecordView::UkazBylinu() {
    QTreeWidgetItem* item = m_form.selectedListItem();
    shown << (item ? item->text(0) : QString());
    if (item) {
        m_form.CurrentHerb = FrmMain::listId(item);
        m_form.CurrentHerbName = item->text(0);
    }
}

QStringList SmallHerbDatabase() {
    return {
        QStringLiteral(
            "CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, IdxCeled INTEGER)"),
        QStringLiteral(
            "CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk INTEGER, Nazev TEXT)"),
        QStringLiteral("CREATE TABLE Jazyk (Idx INTEGER PRIMARY KEY, Nazev TEXT)"),
        QStringLiteral("INSERT INTO Byliny VALUES (1,'Cibule','',0),(2,'Čekanka','',0),(3,'Hloh','',0),"
                       "(4,'Chmel','',0),(5,'Máta peprná','',0),(6,'   ','',0),(7,NULL,'',0)"),
        QStringLiteral(
            "INSERT INTO Nazvy VALUES (1,5,2,'Mentha piperita'),(2,5,9,'peprmintka'),(3,5,9,'máta'),"
            "(4,3,2,'  Crataegus  '),(5,4,2,'Humulus lupulus'),(6,1,2,'   '),(7,2,9,NULL),"
            "(8,4,3,'Chmeľ')"),
        QStringLiteral("INSERT INTO Jazyk VALUES (1,'Česky'),(2,'Latinsky'),(3,'Slovensky'),(4,'Německy'),"
                       "(5,'Anglicky'),(6,'Francouzsky'),(7,'Španělsky'),(8,'Rusky'),(9,'Lidově')"),
    };
}

void FrmMainFixture::SetUp() {
    App().ErrObj = std::make_unique<CKelErr>();
    App().SrvObj = std::make_unique<CKelSrv>();
    App().IniFile = SettingsFilePath();
    App().Settings = ProgramSettings{};
    SetSegmentTitles();
    LoadSettings(false);
    App().Settings.ProfilNumber = 1; // no screen-profile defaults unless a test asks for them
    hook = std::make_unique<ui::ScopedDialogHook>([this](QDialog& d) -> std::optional<int> {
        reports << d.windowTitle();
        return QDialog::Rejected;
    });
}

void FrmMainFixture::TearDown() {
    delete form;
    form = nullptr;
    hook.reset();
    App().ReleaseObjects();
}

void FrmMainFixture::openDatabase(const QStringList& statements) {
    const QString path = dir.file(QStringLiteral("Lumo.mdb"));
    WriteDatabase(path, QString(), statements);
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(path, QString());
}

void FrmMainFixture::openSampleDatabase() {
    // The build folder holds the test executable in tests/mainwindow.
    QString build = qEnvironmentVariable("LUMO_BUILD_DIR");
    if (build.isEmpty())
        build = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    const QString sample = QDir::cleanPath(build + QStringLiteral("/data/Lumo.mdb"));
    if (!QFile::exists(sample))
        GTEST_SKIP() << "no sample database at " << sample.toStdString();
    const QString path = dir.file(QStringLiteral("Lumo.mdb"));
    ASSERT_TRUE(QFile::copy(sample, path));
    ASSERT_TRUE(OpenDatabase(path));
}

void FrmMainFixture::loadWindow(const std::function<void(FrmMain&)>& install) {
    form = new FrmMain();
    if (install)
        install(*form);
    auto view = std::make_unique<RecordingRecordView>(*form);
    record = view.get();
    form->setRecordView(std::move(view));
    form->Form_Load();
    QApplication::setActiveWindow(form);
    QApplication::processEvents(); // the first activation
    form->Form_Activate();         // no-op when the event already ran it
}

QStringList FrmMainFixture::listTexts() const {
    QStringList texts;
    for (int i = 0; i < form->Lv->topLevelItemCount(); ++i)
        texts << form->Lv->topLevelItem(i)->text(0);
    return texts;
}

QStringList FrmMainFixture::listKeys() const {
    QStringList keys;
    for (int i = 0; i < form->Lv->topLevelItemCount(); ++i)
        keys << FrmMain::listKey(form->Lv->topLevelItem(i));
    return keys;
}

QString FrmMainFixture::selectedText() const {
    QTreeWidgetItem* item = form->selectedListItem();
    return item ? item->text(0) : QString();
}

void FrmMainFixture::type(const QString& text) {
    form->TxtByl->setFocus();
    form->TxtByl->setText(text);
}

} // namespace lumo::test
