#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace tarvex::cli {

// Exit statuses of every subcommand.
enum ExitStatus : int {
    ExitOk = 0,
    ExitFailed = 1,   // a signature did not verify, or output could not be written
    ExitBadInput = 2, // usage error, or input that is missing or cannot be read
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
void printLine(const QString& line);
void printError(const QString& line);

} // namespace tarvex::cli
