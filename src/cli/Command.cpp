// SPDX-License-Identifier: GPL-3.0-or-later
#include "Command.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tarvex::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

// errno of the first failed write to standard output; 0 while none failed.
int& outputError() {
    static int error = 0;
    return error;
}

void noteOutputFailure() {
    if (outputError() == 0) {
        outputError() = errno != 0 ? errno : EIO;
    }
}

void put(std::FILE* stream, const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout) {
        noteOutputFailure();
    }
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
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

QString escapeControls(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode())) {
            out += QStringLiteral("\\x");
            out += QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

void printLine(const QString& line) {
    put(stdout, escapeControls(line));
}

void printText(const QString& text) {
    put(stdout, text);
}

void printError(const QString& line) {
    if (std::fflush(stdout) != 0) {
        noteOutputFailure();
    }
    put(stderr, QStringLiteral("tarvex: ") + escapeControls(line));
}

QString standardOutputProblem() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        noteOutputFailure();
    }
    return outputError() == 0 ? QString() : QString::fromLocal8Bit(std::strerror(outputError()));
}

} // namespace tarvex::cli
