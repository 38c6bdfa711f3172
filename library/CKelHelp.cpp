#include "library/CKelHelp.h"

#include "platform/help/HtmlHelp.h"
#include "platform/paths/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace lumo {

void CKelHelp::ShowHelp(long Command, long ContextID, const QString& Key, int HelpType, QWidget* Owner) {
    m_Command = Command;
    if (ContextID > 0)
        m_HelpID = ContextID;
    if (!Key.isEmpty())
        m_Key = Key;
    if (Owner)
        m_hWnd = Owner;
    if (HelpType == 1) {
        if (Command == cmdContext)
            ShowContextChecked();
        else if (Command == cmdIndex)
            ShowIndex();
        return;
    }
    ShowClassic();
}

QString CKelHelp::HelpPath() const {
    return m_HelpName + QStringLiteral(">Main");
}

bool CKelHelp::ShowIndex() {
    return help::HtmlHelp(hWnd(), HelpPath(), help::hhDisplayIndex, 0) != nullptr;
}

bool CKelHelp::ShowContext() {
    return help::HtmlHelp(hWnd(), HelpPath(), help::hhHelpContext, m_HelpID) != nullptr;
}

// The bare file, without a window type; a missing file shows nothing.
bool CKelHelp::ShowContextChecked() {
    QString file = paths::Normalize(m_HelpName.trimmed());
    if (file.isEmpty())
        return false;
    file = QDir::isRelativePath(file) ? paths::InProgramDir(file) : paths::Resolve(file);
    if (!QFileInfo(file).isFile())
        return false;
    if (m_HelpID != 0)
        return help::HtmlHelp(hWnd(), m_HelpName, help::hhHelpContext, m_HelpID) != nullptr;
    return help::HtmlHelp(hWnd(), m_HelpName, help::hhDisplayTopic, 0) != nullptr;
}

// The classic viewer is not on this platform: its commands go to the same window,
// and as there, only while the HelpType property is 0.
void CKelHelp::ShowClassic() {
    if (m_HelpType != 0)
        return;
    switch (m_Command) {
    case cmdContext:
        ShowContext();
        break;
    case cmdIndex:
        ShowIndex();
        break;
    case cmdKeyword:
        help::HtmlHelp(hWnd(), HelpPath(), help::hhKeywordLookup, 0, m_Key);
        break;
    default:
        break;
    }
}

} // namespace lumo
