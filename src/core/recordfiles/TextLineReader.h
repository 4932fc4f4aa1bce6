#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace tarvex {

// Sequential text input from an open device, one line at a time. A line ends with "\n" or
// "\r\n", which is not part of it; a line end at the very end of the input closes the last
// line and does not start another, so an empty line is only read where the input has one.
// Lines are read in pieces, so memory follows the longest line, not the file.
class TextLineReader {
public:
    explicit TextLineReader(QIODevice& device);

    // True when no line is left.
    [[nodiscard]] bool atEnd();
    // The next line without its line end, valid until the next call. Reading past the end
    // raises "Input past end of file" (62); a failing device "Device I/O error" (57).
    QByteArrayView readLine();

private:
    // Reads more input behind what is buffered; false at the end of the input.
    bool fill();

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype begin_ = 0;   // first unread byte
    qsizetype end_ = 0;     // end of the bytes read so far
    qsizetype scanned_ = 0; // bytes from begin_ known to hold no "\n"
    bool eof_ = false;
};

} // namespace tarvex
