#pragma once

class ErrorReporter;
class MessageBoxes;
class ProgramLauncher;
class ReportPrinter;
class PrintTarget;
class FileChooser;

// Everything a window does that would block or leave the program: message boxes, the
// error report, other programs, printers. The program passes the real ones; tests pass recorders.
struct Seams {
    MessageBoxes* messages = nullptr;
    ErrorReporter* errors = nullptr;
    ProgramLauncher* launcher = nullptr;
    ReportPrinter* reportPrinter = nullptr;
    PrintTarget* printTarget = nullptr;
    FileChooser* files = nullptr; // the adviser's own data files
};
