// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/CellMatcher.h"

#include "core/common/Windows1252.h"

#include <QChar>

#include <algorithm>
#include <cstring>

namespace tarvex {
namespace {

std::array<unsigned char, 256> identity() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) {
        table[b] = static_cast<unsigned char>(b);
    }
    return table;
}

// Lower case within Windows-1252: "Š" and "š", "Ÿ" and "ÿ" compare alike; a letter whose
// lower case has no byte (none in this code page) stays itself.
const std::array<unsigned char, 256>& lowerCaseTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t = identity();
        for (std::size_t b = 0; b < t.size(); ++b) {
            const char16_t lower =
                QChar::toLower(windows1252ToUnicode(static_cast<unsigned char>(b)));
            const int folded = unicodeToWindows1252(lower);
            if (folded >= 0) {
                t[b] = static_cast<unsigned char>(folded);
            }
        }
        return t;
    }();
    return table;
}

} // namespace

CellMatcher::CellMatcher(QStringView text, Options options) : wholeCell_(options.wholeCell) {
    fold_ = options.matchCase ? identity() : lowerCaseTable();
    needle_.reserve(text.size());
    for (const QChar c : text) {
        const int byte = unicodeToWindows1252(c.unicode());
        if (byte < 0) {
            possible_ = false;
            continue;
        }
        needle_.append(static_cast<char>(fold_[static_cast<std::size_t>(byte)]));
    }
    for (std::size_t b = 0; b < fold_.size() && !needle_.isEmpty(); ++b) {
        if (fold_[b] == static_cast<unsigned char>(needle_.front())) {
            firstBytes_.append(static_cast<char>(b));
        }
    }
    caseless_ = std::all_of(needle_.begin(), needle_.end(), [this](char c) {
        return std::count(fold_.begin(), fold_.end(), static_cast<unsigned char>(c)) == 1;
    });
}

bool CellMatcher::mayOccurIn(QByteArrayView text) const {
    if (needle_.isEmpty() || !possible_ || text.size() < needle_.size()) {
        return false;
    }
    if (caseless_) { // the needle's bytes compare only as themselves
        return memmem(text.data(), std::size_t(text.size()), needle_.constData(),
                      std::size_t(needle_.size())) != nullptr;
    }
    return std::any_of(firstBytes_.begin(), firstBytes_.end(), [&](char b) {
        return std::memchr(text.data(), b, std::size_t(text.size())) != nullptr;
    });
}

bool CellMatcher::equalsAt(const unsigned char* at) const {
    const auto* n = reinterpret_cast<const unsigned char*>(needle_.constData());
    for (qsizetype i = 0; i < needle_.size(); ++i) {
        if (fold_[at[i]] != n[i]) {
            return false;
        }
    }
    return true;
}

bool CellMatcher::matches(QByteArrayView cell) const {
    const qsizetype size = needle_.size();
    if (size == 0 || !possible_ || cell.size() < size || (wholeCell_ && cell.size() != size)) {
        return false;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(cell.data());
    const auto first = static_cast<unsigned char>(needle_.front());
    const unsigned char* const last = p + (cell.size() - size);
    for (; p <= last; ++p) {
        if (fold_[*p] == first && equalsAt(p)) {
            return true;
        }
    }
    return false;
}

} // namespace tarvex
