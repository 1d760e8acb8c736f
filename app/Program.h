#pragma once
// The program's course once Qt is up: create the main window (and the hidden lookup dialog),
// show it, run the message loop until the main window closes (or the system asks the program
// to end: SIGTERM, SIGINT, SIGHUP). Returns the exit code: 0 after
// a normal end, 1 when the main window could not be created (reported as "Application Error";
// the window is then never shown).

int runProgram();
