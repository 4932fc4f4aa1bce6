// SPDX-License-Identifier: GPL-3.0-or-later
#include "Command.h"

#include "core/common/NativePath.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

// Standard output was closed when the tool started; lines meant for it were then lost.
bool& outputClosed() {
    static bool closed = false;
    return closed;
}

bool& outputLost() {
    static bool lost = false;
    return lost;
}

void noteOutputFailure() {
    if (outputError() == 0) {
        outputError() = errno != 0 ? errno : EIO;
    }
}

void put(std::FILE* stream, const QString& line) {
    if (stream == stdout && outputClosed()) {
        outputLost() = true;
        return;
    }
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
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int byte = escapedByte(text, i); // a byte of a file name that is not UTF-8
        if (byte >= 0 || isControl(c)) {
            out += QStringLiteral("\\x");
            out += QString::number(byte >= 0 ? byte : c, 16).rightJustified(2, u'0').toUpper();
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QStringList argumentsFrom(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args.append(pathFromNative(argv[i])); // NOLINT: argv is what main received
    }
    return args;
}

void holdStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            // The lowest free descriptor: this one. A file opened later must never take it.
            ::open("/dev/null", O_RDWR);
            outputClosed() = outputClosed() || fd == STDOUT_FILENO;
        }
    }
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
    if (outputLost()) {
        return QStringLiteral("standard output is closed");
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        noteOutputFailure();
    }
    if (outputError() == 0) {
        return {};
    }
    return QStringLiteral("standard output: cannot write (%1)")
        .arg(QString::fromLocal8Bit(std::strerror(outputError())));
}

} // namespace tarvex::cli
