#pragma once

class QWidget;

// Centres dialog over the main window (its parent's window), in integer steps; a dialog
// without a parent stays where it is.
void centreOverMainWindow(QWidget *dialog);
