// The setup program of the installation medium: asks for the program folder, copies the
// files listed in "Setup.lst", places the uninstaller, writes the installation log, adds
// the applications-menu entry and, last, registers the program's path. Exit code 0 when
// installed, 1 when cancelled, 2 on failure.
// ZEF_SETUP_TARGET names the folder and ZEF_SETUP_SILENT=1 asks nothing (tests).
#include "installer/CopyEngine.h"
#include "installer/InstallLog.h"
#include "installer/SetupPaths.h"
#include "installer/SetupState.h"
#include "installer/Shortcuts.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/registry/Registry.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

using namespace lumo::setup;

namespace {

const QString kTitle = QStringLiteral("Instalace programu Zefirak");

bool silent() {
    return qEnvironmentVariable("ZEF_SETUP_SILENT") == QStringLiteral("1");
}

void fail(const QString& text) {
    if (silent())
        qWarning("%s", qPrintable(text));
    else
        lumo::ui::DialogPresenter::msgBox(text, kTitle, QMessageBox::Critical);
}

// The folder chosen by the user; empty when cancelled.
QString askFolder(const QString& proposed) {
    QDialog dialog;
    dialog.setWindowTitle(kTitle);
    auto* edit = new QLineEdit(proposed, &dialog);
    edit->setObjectName(QStringLiteral("txtFolder"));
    auto* browse = new QPushButton(QStringLiteral("&Procházet…"), &dialog);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QString chosen = QFileDialog::getExistingDirectory(&dialog, kTitle, edit->text());
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* install = buttons->addButton(QStringLiteral("&Instalovat"), QDialogButtonBox::AcceptRole);
    install->setObjectName("cmdInstall");
    // A blank folder cannot be installed to.
    const auto enable = [edit, install] { install->setEnabled(!edit->text().trimmed().isEmpty()); };
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, enable);
    enable();
    buttons->addButton(QStringLiteral("&Storno"), QDialogButtonBox::RejectRole)->setObjectName("cmdCancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Program Zefirak bude nainstalován do složky:"), &dialog));
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.resize(520, dialog.sizeHint().height());
    if (lumo::ui::DialogPresenter::exec(dialog) != QDialog::Accepted)
        return {};
    return edit->text().trimmed();
}

// "~" is the home folder, as in a shell; a folder given without a root lies in the home
// folder, never on the medium the setup program runs from.
QString absoluteFolder(const QString& typed) {
    QString folder = typed;
    if (folder == u'~' || folder.startsWith(QStringLiteral("~/")))
        folder = QDir::homePath() + folder.mid(1);
    return QDir::isAbsolutePath(folder) ? folder : QDir::home().absoluteFilePath(folder);
}

// A list entry names one file of the medium's folder; a path (a folder, "..", a root) would
// read or write outside the medium and the program folder.
bool plainFileName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

// A name as a message shows it: a line of garbage is cut short.
QString shown(const QString& name) {
    return name.size() > 80 ? name.left(80) + QStringLiteral("…") : name;
}

// The medium's file list: one name a line; "?" before a name marks a file the medium may lack.
// A list that names a path or leaves out the program is a broken medium: nothing is installed.
// Names are found in any case (a plain ISO 9660 disc shows them lower-cased).
QStringList manifest(const QString& source, QString* error) {
    QFile f(lumo::paths::Resolve(source + QStringLiteral("Setup.lst")));
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Na instalačním médiu chybí seznam souborů Setup.lst.");
        return {};
    }
    QStringList names;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        QString name = line.trimmed();
        if (name.isEmpty())
            continue;
        const bool optional = name.startsWith(u'?');
        if (optional)
            name = name.mid(1).trimmed();
        if (!plainFileName(name)) {
            *error = QStringLiteral("Seznam souborů Setup.lst na instalačním médiu je poškozen: %1")
                         .arg(shown(name));
            return {};
        }
        if (QFile::exists(lumo::paths::Resolve(source + name)))
            names.append(name);
        else if (!optional)
            *error = QStringLiteral("Na instalačním médiu chybí soubor %1.").arg(shown(name));
    }
    if (error->isEmpty() && !names.contains(kProgramFile, Qt::CaseInsensitive))
        *error = QStringLiteral("Na instalačním médiu chybí soubor %1.").arg(kProgramFile);
    return error->isEmpty() ? names : QStringList();
}

// The copying's progress over all files by their bytes, drawn while each file is copied.
// It stays until the copying ends: closing it would not stop the copy.
class CopyProgress : public QDialog {
public:
    CopyProgress(const QString& source, const QStringList& files) : m_source(source) {
        for (const QString& name : files)
            m_total += sizeOf(name);
        m_total = std::max<qint64>(m_total, 1);
        setWindowTitle(kTitle);
        m_bar->setRange(0, kScale);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        layout->addWidget(m_bar);
        setMinimumWidth(420);
    }

    // The hooks for copying the medium's file name.
    CopyHooks next(const QString& name) {
        const qint64 size = sizeOf(name);
        m_label->setText(QStringLiteral("Kopírování souboru %1…").arg(name));
        draw(m_done);
        CopyHooks hooks;
        hooks.barWidth = kScale;
        const qint64 start = m_done;
        hooks.update = [this, start, size](const CopyFigures& f) { draw(start + size * f.barPos / kScale); };
        m_done += size;
        return hooks;
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        QApplication::beep();
        event->ignore();
    }
    // Esc, as the close box, is refused.
    void reject() override { QApplication::beep(); }

private:
    static constexpr int kScale = 1000;
    qint64 sizeOf(const QString& name) const {
        return QFileInfo(lumo::paths::Resolve(m_source + name)).size();
    }
    void draw(qint64 done) {
        m_bar->setValue(static_cast<int>(std::min(done, m_total) * kScale / m_total));
        QCoreApplication::processEvents();
    }
    QString m_source;
    QLabel* m_label = new QLabel(this);
    QProgressBar* m_bar = new QProgressBar(this);
    qint64 m_total = 0;
    qint64 m_done = 0;
};

int install(const QString& source, const QString& folder) {
    QString why;
    const QStringList files = manifest(source, &why);
    if (!why.isEmpty()) {
        fail(why);
        return 2;
    }
    const QString target = WithSlash(QDir::cleanPath(folder));
    if (!QDir().mkpath(target)) {
        fail(QStringLiteral("Složku %1 nelze vytvořit.").arg(target));
        return 2;
    }
    // Installed onto the medium itself, the program's removal would delete the medium's files.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath()) {
        fail(QStringLiteral("Do složky instalačního média %1 nelze instalovat, zvolte jinou složku.")
                 .arg(target));
        return 2;
    }
    InstallLog log;
    log.dirs.append(target);
    const QString uninstaller = QStringLiteral("ST6UNST.EXE");
    CopyProgress progress(source, QStringList(files) << uninstaller);
    if (!silent())
        progress.show();
    const auto copy = [&](const QString& name, const QString& to) {
        CopyFileWithProgress(source + name, to, progress.next(name));
    };
    try {
        for (const QString& name : files) {
            copy(name, target + name);
            log.files.append(target + name);
        }
        const QString windows = GetWindowsPath();
        QDir().mkpath(windows);
        copy(uninstaller, windows + u'/' + uninstaller);
    } catch (const lumo::err::VbError& e) {
        progress.hide();
        fail(QStringLiteral("Instalace se nezdařila: %1").arg(e.Description()));
        return 2;
    }
    progress.hide();
    const QString program = target + kProgramFile;
    if (CreateToolkitShortcut(QStringLiteral("Zefirak"), program, 2, QString()))
        log.shortcuts.append(SpecialFolderPath(2) + u'/' + ShortcutFileName(QStringLiteral("Zefirak")));
    log.regKeys.append(lumo::registry::kAppPathKey);
    if (!log.save(target + QStringLiteral("ST6UNST.LOG"), &why) ||
        !lumo::registry::WriteValue(lumo::registry::kAppPathKey, {}, program, &why)) {
        fail(QStringLiteral("Instalace se nezdařila: %1").arg(why));
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumo::ui::InstallQtTranslations(app);
    const QString source = GetSourceFolder();
    QString folder = qEnvironmentVariable("ZEF_SETUP_TARGET");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/Zefirak");
    if (!silent())
        folder = askFolder(folder);
    if (folder.isEmpty())
        return 1;
    return install(source, absoluteFolder(folder));
}
