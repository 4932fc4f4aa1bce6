// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace tarvex::cli {

// Exit statuses of every subcommand.
enum ExitStatus : int {
    ExitOk = 0,
    ExitFailed = 1,   // a signature did not verify, or an output file could not be written
    ExitBadInput = 2, // usage error; input that is missing, not a regular file or cannot be
                      // read; a refused output target; standard output that cannot be written
};

// A subcommand: `tarvex NAME ARGUMENTS...`. Each lives in its own file and registers itself
// with a static Registrar, so adding one touches no other file.
struct Command {
    QString name;
    QString arguments; // synopsis of the arguments, e.g. "RECORDFILE..."
    QString summary;   // one line
    QString details;   // the rest of its help, lines of at most 80 characters
    int (*run)(const QStringList& arguments) = nullptr;
};

// Raised by a command for wrong arguments; the dispatcher prints it and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void registerCommand(Command command);
// The registered commands, ordered by name.
std::vector<Command> commands();

struct Registrar {
    explicit Registrar(Command command) { registerCommand(std::move(command)); }
};

// Output in UTF-8: a line on standard output, and "tarvex: " plus a line on standard error.
// Control characters in the line (C0, DEL and C1, as record files can hold them) are shown as
// \xNN, so that what a file holds can neither break a line nor drive the terminal.
void printLine(const QString& line);
void printError(const QString& line);
// Text of our own (help), printed as it is.
void printText(const QString& text);

// `text` with every control character, and every byte of a file name that is not UTF-8,
// written as \xNN (two uppercase hex digits).
QString escapeControls(QStringView text);

// Why standard output could not be written ("standard output is closed", "standard output:
// cannot write (No space left on device)"), empty when it could; flushes it first. Checked at
// the end: the tool then exits with 2, whatever the command found.
QString standardOutputProblem();

// Puts /dev/null in the place of a standard stream that the tool was started without, so that
// no file opened later becomes one; a closed standard output is then reported when written to.
void holdStandardStreams();

// The arguments as the command line holds them: a file name that is not UTF-8 keeps its
// bytes (see NativePath.h).
QStringList argumentsFrom(int argc, char* argv[]);

} // namespace tarvex::cli
