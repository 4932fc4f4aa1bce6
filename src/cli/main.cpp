// tarvex: the batch tool. Dispatches `tarvex COMMAND ARGUMENTS...` to the registered commands.
#include "Command.h"
#include "TarvexVersion.h"

#include <QCoreApplication>

#include <optional>

using namespace tarvex::cli;

namespace {

QString usageLine(const Command& c) {
    return QStringLiteral("tarvex %1 %2").arg(c.name, c.arguments);
}

void printHelp() {
    printLine(QStringLiteral("Usage: tarvex COMMAND [ARGUMENTS]\n\n"
                             "Batch tool for Tarvex Data Viewer record files. Commands:\n"));
    for (const Command& c : commands()) {
        printLine(QStringLiteral("%1\n    %2\n%3").arg(usageLine(c), c.summary, c.details));
    }
    printLine(QStringLiteral(
        "Exit status: 0 success; 1 a signature failed or output could not be written;\n"
        "2 wrong usage, or input that is missing, unreadable or damaged.\n"
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
    printLine(QStringLiteral("Usage: %1\n    %2\n%3").arg(usageLine(*c), c->summary, c->details));
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
        printLine(QStringLiteral("tarvex %1").arg(QCoreApplication::applicationVersion()));
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
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarvex::kVersionText));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return dispatch(args);
}
