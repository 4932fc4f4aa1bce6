#include "Command.h"

#include <algorithm>
#include <cstdio>

namespace tarvex::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

void put(std::FILE* stream, const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

void registerCommand(Command command) {
    registry().push_back(std::move(command));
}

std::vector<Command> commands() {
    std::vector<Command> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    return sorted;
}

void printLine(const QString& line) {
    put(stdout, line);
}

void printError(const QString& line) {
    std::fflush(stdout);
    put(stderr, QStringLiteral("tarvex: ") + line);
}

} // namespace tarvex::cli
