#pragma once

#include <QString>
#include <QTextBlock>
#include <QTextDocument>

// Shared pieces of the RTF tests.
namespace lumo::test {

// The fixed record header the program composes its records with (font table f0 to f7,
// colour table of 15 entries after "automatic").
inline QString ProgramRtfHeader() {
    return QStringLiteral(
               "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl {\\f0\\fnil MS Sans Serif;}"
               "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset238{\\*\\fname MS Sans Serif;}"
               "MS Shell Dlg;}{\\f3\\fswiss\\fcharset238{\\*\\fname Tahoma;}Tahoma;}"
               "{\\f4\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}"
               "{\\f5\\fswiss\\fprq2\\fcharset238{\\*\\fname Arial;}Arial CE;}"
               "{\\f6\\fmodern\\fprq1\\fcharset238{\\*\\fname Courier New;}Courier New CE;}"
               "{\\f7\\fswiss\\fcharset238{\\*\\fname Verdana;}Verdana;}}") +
           QStringLiteral("\r\n") +
           QStringLiteral(
               "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green128\\blue0;"
               "\\red0\\green128\\blue128;\\red128\\green0\\blue0;\\red128\\green0\\blue128;"
               "\\red128\\green128\\blue0;\\red192\\green192\\blue192;\\red128\\green128\\blue128;"
               "\\red0\\green255\\blue0;\\red0\\green255\\blue255;\\red255\\green0\\blue0;"
               "\\red255\\green0\\blue255;\\red255\\green255\\blue0;\\red255\\green255\\blue255;}");
}

// Paragraphs joined by '\n', the way QTextDocument::toPlainText() gives them, but without
// its replacement of non-breaking spaces.
inline QString Paragraphs(const QTextDocument& doc) {
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            out += u'\n';
        out += b.text();
    }
    return out;
}

// The folder of the RTF fixtures.
inline QString RtfDataDir() {
    const QString data = qEnvironmentVariable("LUMO_TEST_DATA");
    return data.isEmpty() ? QStringLiteral(LUMO_RTF_TEST_DATA) : data + QStringLiteral("/rtf");
}

} // namespace lumo::test
