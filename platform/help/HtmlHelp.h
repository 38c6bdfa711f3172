#pragma once

#include <QString>

class QWidget;

namespace lumo::help {

class HelpWindow;

// HTML Help's commands.
enum HelpCommand : int {
    hhDisplayTopic = 0,   // the topic named, or the default topic
    hhDisplayToc = 1,     // the contents
    hhDisplayIndex = 2,   // the index
    hhKeywordLookup = 13, // the topic of an index keyword, else the index at it
    hhHelpContext = 15,   // the topic of a context number
};

// Shows help as HTML Help does. Path is the help file, optionally followed by ">" and a
// window type (one window serves them all); a relative name is looked up in the program
// folder, any case. The window belongs to the owner (so it stays usable above a modal
// owner and closes with it); without one, to the active window. Returns the window, or
// nullptr when the file is missing or is no compiled help file; nothing is reported.
// Topic names the topic of hhDisplayTopic and the keyword of hhDisplayIndex and hhKeywordLookup.
HelpWindow* HtmlHelp(QWidget* owner, const QString& path, int command, long context,
                     const QString& topic = {});

// The window open for a help file, or nullptr.
HelpWindow* OpenHelpWindow(const QString& path);

// Closes every help window.
void CloseHelpWindows();

} // namespace lumo::help
