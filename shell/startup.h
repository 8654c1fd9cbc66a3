#pragma once

// Starts the program as the forms runtime did: reads the user's regional
// settings, tells the window service how to make every window, and shows the
// main window. The event loop then runs it; "Да" of the exit confirmation ends it.
void startProgram();
