#pragma once
// At start-up, right after the main window, the program creates one lookup dialog and keeps
// it hidden; it is never used (each customer button makes a fresh one). It can only exist
// while the main window does, since it runs its statements on the main window's connection.

class Tfrmcust_prod;

void createStartupLookupDialog(Tfrmcust_prod& mainWindow);
