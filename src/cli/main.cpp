// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex: the batch tool. Dispatches `tarvex COMMAND ARGUMENTS...` to the registered commands.
#include "Command.h"
#include "TarvexVersion.h"

#include <QCoreApplication>

#include <csignal>
#include <exception>
#include <new>
#include <optional>

using namespace tarvex::cli;

namespace {

QString usageLine(const Command& c) {
    return QStringLiteral("tarvex %1 %2").arg(c.name, c.arguments);
}

void printHelp() {
    printText(QStringLiteral("Usage: tarvex COMMAND [ARGUMENTS]\n\n"
                             "Batch tool for Tarvex Data Viewer record files. Commands:\n"));
    for (const Command& c : commands()) {
        printText(QStringLiteral("%1\n    %2\n%3").arg(usageLine(c), c.summary, c.details));
    }
    printText(QStringLiteral(
        "Files: only regular files are read; a folder, FIFO, device or socket given as input\n"
        "is refused with a line that says what it is. Nothing is ever written onto an input,\n"
        "onto a file of its set (the record file, its .sig and its .evt), or onto anything\n"
        "that exists and is not a regular file; a refused target is left as it was.\n"
        "Record text is printed with control characters shown as \\xNN.\n\n"
        "Exit status: 0 success; 1 a signature failed or an output file could not be\n"
        "written; 2 wrong usage, input that is missing, not a regular file, unreadable or\n"
        "damaged, a refused output target, or standard output that cannot be written.\n"
        "Errors are one line on standard error. 'tarvex help COMMAND' shows one command."));
}

std::optional<Command> find(const QString& name) {
    for (const Command& c : commands()) {
        if (c.name == name) {
            return c;
        }
    }
    return std::nullopt;
}

int helpFor(const QString& name) {
    const std::optional<Command> c = find(name);
    if (!c) {
        printError(QStringLiteral("unknown command '%1' (see tarvex --help)").arg(name));
        return ExitBadInput;
    }
    printText(QStringLiteral("Usage: %1\n    %2\n%3").arg(usageLine(*c), c->summary, c->details));
    return ExitOk;
}

int dispatch(QStringList args) {
    if (args.isEmpty()) {
        printError(QStringLiteral("no command given (see tarvex --help)"));
        return ExitBadInput;
    }
    const QString name = args.takeFirst();
    if (name == u"--help" || name == u"-h") {
        printHelp();
        return ExitOk;
    }
    if (name == u"--version") {
        printText(QStringLiteral("tarvex %1").arg(QCoreApplication::applicationVersion()));
        return ExitOk;
    }
    if (name == u"help") {
        return args.isEmpty() ? (printHelp(), ExitOk) : helpFor(args.first());
    }
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        return helpFor(name);
    }
    const std::optional<Command> command = find(name);
    if (!command) {
        printError(QStringLiteral("unknown command '%1' (see tarvex --help)").arg(name));
        return ExitBadInput;
    }
    try {
        return command->run(args);
    } catch (const UsageError& e) {
        printError(QStringLiteral("%1: %2 (usage: %3)")
                       .arg(name, QString::fromUtf8(e.what()), usageLine(*command)));
        return ExitBadInput;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    holdStandardStreams();
    // A file size limit makes a write fail with "File too large" instead of ending the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarvex::kVersionText));
    int status = ExitBadInput;
    try {
        status = dispatch(argumentsFrom(argc, argv));
    } catch (const std::bad_alloc&) {
        printError(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
    }
    if (const QString problem = standardOutputProblem(); !problem.isEmpty()) {
        printError(problem);
        return ExitBadInput;
    }
    return status;
}
