#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace lumo {

class FrmSplash;

// How start-up ended.
enum class StartOutcome {
    Started,        // the main window is shown; the event loop runs from here
    SecondInstance, // another instance runs and several are not allowed
    NoDatabase,     // the database failed twice
    Fatal,          // an unexpected error; the critical message was shown
};

// Start-up's seams. Each has a working default; tests replace them.
struct StartupHooks {
    // True when another instance of the program runs (default: the per-user lock).
    std::function<bool()> anotherInstanceRunning;
    // Shows the settings dialog modally after the first database failure.
    std::function<void()> runSettingsDialog;
    // Loads and shows the main window (its Form_Load places and shows it).
    std::function<void()> loadMainWindow;
    // The critical message of the fatal handler (default: a message box through the presenter).
    std::function<void(const QString& text, const QString& title)> fatalMessage;
    // Called by ShowStartStep after the splash was updated (tests record the steps).
    std::function<void(int progress, const QString& caption)> stepShown;
};

// The program's start procedure: shows the splash, creates the service objects step
// by step, reads the settings, connects the herb database and loads the main window.
StartOutcome Main(StartupHooks hooks = {});

// Shows a step's progress and caption on the splash and lets it repaint once.
void ShowStartStep(int Progress, const QString& Caption);

// Releases the program-wide service objects in their fixed order.
void ReleaseObjects();

// The exit code of a start-up outcome: 0 when started, 1 otherwise.
int ExitCodeOf(StartOutcome outcome);

// The splash while start-up runs (null before and after).
FrmSplash* Splash();

} // namespace lumo
