#pragma once

class QApplication;
class Messages;
class Modal;

// Starts the program in its order: title, main window, the data module (or the connection
// message and the end), every other window, then the main window. Returns the exit code.
int runProgram(QApplication& application, Messages& messages, Modal& modal);
