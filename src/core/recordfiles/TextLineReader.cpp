// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/TextLineReader.h"

#include "core/common/TvError.h"

#include <QIODevice>

#include <cstring>

namespace tarvex {
namespace {

constexpr qsizetype kChunk = qsizetype{1} << 16;

} // namespace

TextLineReader::TextLineReader(QIODevice& device, qsizetype maxLineLength)
    : device_(device), maxLine_(maxLineLength), buffer_(kChunk, '\0') {}

bool TextLineReader::fill() {
    if (eof_) {
        return false;
    }
    // Keep the unread bytes at the front; grow only when one line fills the whole buffer.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.constData() + begin_, std::size_t(end_ - begin_));
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);
    }
    const qint64 got = device_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0) {
        throw TvError(ErrDeviceIo);
    }
    if (got == 0) {
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool TextLineReader::atEnd() {
    return begin_ == end_ && !fill();
}

QByteArrayView TextLineReader::readLine() {
    if (atEnd()) {
        throw TvError(ErrPastEnd);
    }
    const char* newline = nullptr;
    for (;;) {
        const char* from = buffer_.constData() + begin_ + scanned_;
        newline = static_cast<const char*>(
            std::memchr(from, '\n', std::size_t(end_ - begin_ - scanned_)));
        if (newline != nullptr) {
            break;
        }
        scanned_ = end_ - begin_;
        // One more byte than the limit may still be the "\r" of the line end.
        if (scanned_ > maxLine_ + 1) {
            throw TvError(ErrOutOfMemory);
        }
        if (!fill()) {
            break;
        }
    }
    const char* line = buffer_.constData() + begin_;
    qsizetype length = newline != nullptr ? newline - line : end_ - begin_;
    const qsizetype consumed = newline != nullptr ? length + 1 : length;
    if (newline != nullptr && length > 0 && line[length - 1] == '\r') {
        --length;
    }
    if (length > maxLine_) {
        throw TvError(ErrOutOfMemory);
    }
    begin_ += consumed;
    scanned_ = 0;
    return {line, length};
}

} // namespace tarvex
