// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>

namespace tarvex {

// Text typed to find, matched against grid cells as they hold it: Windows-1252 bytes, so that
// a search never decodes a cell.
class CellMatcher {
public:
    struct Options {
        bool matchCase = false;
        bool wholeCell = false; // the cell's whole text, not a part of it
    };

    CellMatcher() = default; // matches nothing
    CellMatcher(QStringView text, Options options);

    // Nothing typed: no cell matches.
    [[nodiscard]] bool isEmpty() const { return needle_.isEmpty(); }
    [[nodiscard]] bool matches(QByteArrayView cell) const;
    // False when no part of `text` can match: a quick look over many cells at once.
    [[nodiscard]] bool mayOccurIn(QByteArrayView text) const;
    // The bytes to find when every one of them compares only as itself (case does not matter
    // for them, or is matched); empty otherwise. A cell matches when it holds them (as a whole
    // with wholeCell()).
    [[nodiscard]] QByteArrayView exactBytes() const {
        return caseless_ && possible_ ? QByteArrayView(needle_) : QByteArrayView();
    }
    [[nodiscard]] bool wholeCell() const { return wholeCell_; }

private:
    [[nodiscard]] bool equalsAt(const unsigned char* at) const;

    QByteArray needle_; // folded unless case matters
    // Byte to the byte it compares as: itself when case matters, its lower case otherwise.
    std::array<unsigned char, 256> fold_{};
    bool wholeCell_ = false;
    bool possible_ = true;  // false when the text has a character no cell can hold
    QByteArray firstBytes_; // every byte that compares as the first one
    bool caseless_ = false; // every byte of the text compares only as itself
};

} // namespace tarvex
