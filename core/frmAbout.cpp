#include "core/frmAbout.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSound.h"
#include "library/CKelSrv.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/registry/Registry.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/version/ProgramVersion.h"

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QtEndian>

namespace lumo {

namespace {

// The running program's version, or the one it was built as when it carries none.
QString programVersion() {
    const QString own = version::OwnVersion();
    if (!own.isEmpty())
        return own;
    return QStringLiteral("%1.%2.%3").arg(LUMO_VERSION_MAJOR).arg(LUMO_VERSION_MINOR).arg(LUMO_VERSION_PATCH);
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

} // namespace

QString AboutVersionLine(const QString& version, const QString& edition) {
    const QString e = text::rightTrimBlanks(edition);
    // Without a version row there is no edition to name.
    return QStringLiteral("Verze ") + version + (e.isEmpty() ? QString() : QStringLiteral(" - ") + e);
}

QString AboutDateLine(const QDate& date) {
    if (!date.isValid())
        return {};
    return QStringLiteral("Datum vydání: ") + QString::number(date.day()) + u'.' +
           QLocale().standaloneMonthName(date.month(), QLocale::LongFormat) + u' ' +
           QString::number(date.year());
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    lblProductName = label(QStringLiteral("lblProductName"), QStringLiteral("Zefirak"), this);
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblProductName->setFont(big);
    lblVarnosk = label(QStringLiteral("lblVarnosk"), QStringLiteral("Encyklopedie léčivých rostlin"), this);
    for (int i = 0; i < 2; ++i)
        lblVersion[i] = label(QStringLiteral("lblVersion%1").arg(i), {}, this);
    lblDescription =
        label(QStringLiteral("lblDescription"),
              QStringLiteral("Byliny podle názvů v devíti jazycích, jejich účinné látky, indikace, "
                             "přípravky, kombinace, kalendář sběru a botanické čeledi."),
              this);
    lblCopyright = label(QStringLiteral("lblCopyright"), QStringLiteral("Copyright © Zefirak"), this);
    lblDisclaimer = label(QStringLiteral("lblDisclaimer"),
                          QStringLiteral("Upozornění: Informace v tomto programu nenahrazují radu lékaře ani "
                                         "lékárníka. Před užitím léčivé rostliny se poraďte s odborníkem."),
                          this);
    CmdOK = new QPushButton(QStringLiteral("OK"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Systémové informace..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto* text = new QVBoxLayout;
    for (QLabel* l : {lblProductName, lblVarnosk, lblVersion[0], lblVersion[1], lblDescription, lblCopyright})
        text->addWidget(l);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(CmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(bottom);
    setMinimumWidth(520);
}

void frmAbout::Form_Load() {
    // The optional sound; "0" (the key's default) and an empty value mean none.
    const QString sound = text::rightTrimBlanks(
        App()
            .SrvObj
            ->ReadINI(paths::ProgramDir() + QStringLiteral("/LUMO.ini"), QStringLiteral("About"),
                      QStringLiteral("Zvuk"), QStringLiteral("0"))
            .toString());
    if (!sound.isEmpty() && sound != u"0" && App().SoundObj && App().SoundObj->WaveReady())
        App().SoundObj->PlayWav(sound, 1);
    lblVersion[0]->setText(AboutVersionLine(programVersion(), App().DbVersion.Edice));
    lblVersion[1]->setText(AboutDateLine(App().DbVersion.FromDate));
    setWindowTitle(QStringLiteral("O programu LUMO"));
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

qint16 frmAbout::DBVersion() const {
    const QString location = text::rightTrimBlanks(App().Settings.DatabaseLocation);
    if (location.size() < 3)
        return 0;
    QFile stamp(paths::Resolve(location.left(location.size() - 3) + QStringLiteral("INF")));
    if (!stamp.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = stamp.read(2);
    return bytes.size() == 2 ? qFromLittleEndian<qint16>(bytes.constData()) : 0;
}

bool GetKeyValue(const QString& KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) {
    const std::optional<QString> value = registry::ReadValue(KeyRoot + u'\\' + KeyName, SubKeyRef);
    if (!value)
        return false;
    KeyVal = *value;
    if (KeyVal.endsWith(QChar(0)))
        KeyVal.chop(1);
    return true;
}

void StartSysInfo() {
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    QString path;
    try {
        if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                        QStringLiteral("PATH"), path)) {
            App().SrvObj->RunApl(path, false);
            return;
        }
        if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), path)) {
            path += QStringLiteral("\\MSINFO32.EXE");
            if (App().SrvObj->FileExist(path)) {
                App().SrvObj->RunApl(path, false);
                return;
            }
        }
    } catch (...) {
        // A program that is named but cannot be started is reported like a missing one.
        err::CaptureCurrentException();
    }
    App().ErrObj->ErrView(105, QStringLiteral("Nelze zobrazit systémové informace"),
                          QStringLiteral("System Info"), QStringLiteral("neznámý"));
}

void ShowFrmAbout(QWidget* owner) {
    frmAbout box(owner);
    box.Form_Load();
    ui::DialogPresenter::exec(box);
}

} // namespace lumo
