#pragma once

#include <string>

class QFont;
class QWidget;

namespace vkr {

class Registry;

// The font the window designs are made for, whatever the desktop's font settings.
QFont launcherFont();
// Makes it the application font.
void useLauncherFont();

// Creates the program's windows, each once, in the start-up order: the main window first (its
// creation loads the settings store), then the mod editor, the server editor, the server
// browser, the about box, the watcher, the options dialog, then the local network search and
// the friends list. Fills forms().
void createForms(Registry& registry);
// Deletes the windows createForms made (for tests; the program keeps them until exit).
void destroyForms();

// The window a later start of the launcher brings forward: a message box or file dialog waiting
// for an answer, else the watcher while it stands in for the hidden main window, else the main
// window.
QWidget* windowToBringForward();

// The program: application title, language (a code such as "de"; empty: the user's), windows,
// message loop. Returns the exit code.
int runLauncher(int argc, char** argv, const std::string& language = {});

} // namespace vkr
