#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace lumo {

// Shows the help file: a topic by context number, the index, or a keyword.
class CKelHelp {
public:
    // Commands of ShowHelp.
    enum : long { cmdContext = 1, cmdIndex = 3, cmdKeyword = 257 };

    QString HelpName() const { return m_HelpName; }
    void HelpName(const QString& Name) { m_HelpName = Name; }
    long HelpID() const { return m_HelpID; }
    void HelpID(long Id) { m_HelpID = Id; }
    int HelpType() const { return m_HelpType; }
    void HelpType(int Type) { m_HelpType = Type; }
    QWidget* hWnd() const { return m_hWnd.data(); }
    void hWnd(QWidget* Owner) { m_hWnd = Owner; }

    // Command 1 a topic by context number, 3 the index, 257 a topic by keyword. HelpType
    // 1 is HTML Help; any other value is the classic viewer, which is the same window
    // here. A context number of 0, an empty key and no owner keep the stored ones.
    void ShowHelp(long Command, long ContextID, const QString& Key, int HelpType, QWidget* Owner = nullptr);

    long Command() const { return m_Command; }
    QString Key() const { return m_Key; }

private:
    QString HelpPath() const;
    bool ShowIndex();
    bool ShowContext();
    bool ShowContextChecked();
    void ShowClassic();

    QString m_HelpName;
    long m_HelpID = 0;
    long m_Command = 0;
    QString m_Key;
    int m_HelpType = 0;
    QPointer<QWidget> m_hWnd;
};

} // namespace lumo
