// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace tarvex {

// Sequential text input from an open device, one line at a time. A line ends with "\n" or
// "\r\n", which is not part of it; a line end at the very end of the input closes the last
// line and does not start another, so an empty line is only read where the input has one.
// Lines are read in pieces, so memory follows the longest line, not the file, and a line is
// never longer than the reader's limit.
class TextLineReader {
public:
    // The longest line of an enciphered record file (".sig", ".evt"): the hex decoder takes at
    // most 32,768 bytes per line, each at most 3 characters ("FF" and a blank), so no line that
    // deciphers is longer than 98,304 characters. A whole MiB leaves room for lenient hex (parts
    // with characters after their digits) while a hostile file, such as endless bytes without a
    // line end, costs a few MiB at most.
    static constexpr qsizetype kMaxEncipheredLine = qsizetype{1} << 20;

    // Lines longer than maxLineLength bytes (without their line end) raise "Out of memory" (7).
    explicit TextLineReader(QIODevice& device, qsizetype maxLineLength = kMaxEncipheredLine);

    // True when no line is left.
    [[nodiscard]] bool atEnd();
    // The next line without its line end, valid until the next call. Reading past the end
    // raises "Input past end of file" (62); a failing device "Device I/O error" (57); a line
    // over the limit "Out of memory" (7).
    QByteArrayView readLine();

private:
    // Reads more input behind what is buffered; false at the end of the input.
    bool fill();

    QIODevice& device_;
    qsizetype maxLine_;
    QByteArray buffer_;
    qsizetype begin_ = 0;   // first unread byte
    qsizetype end_ = 0;     // end of the bytes read so far
    qsizetype scanned_ = 0; // bytes from begin_ known to hold no "\n"
    bool eof_ = false;
};

} // namespace tarvex
