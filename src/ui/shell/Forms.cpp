// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/Forms.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace tarvex::Forms {
namespace {
std::vector<QPointer<QWidget>>& forms() {
    static std::vector<QPointer<QWidget>> list;
    return list;
}

void dropDeleted() {
    std::erase_if(forms(), [](const QPointer<QWidget>& p) { return p.isNull(); });
}
} // namespace

void add(QWidget* form) {
    dropDeleted();
    if (std::ranges::none_of(forms(), [form](const QPointer<QWidget>& p) { return p == form; })) {
        forms().emplace_back(form);
    }
}

std::vector<QWidget*> loaded() {
    dropDeleted();
    std::vector<QWidget*> result;
    result.reserve(forms().size());
    for (const auto& p : forms()) {
        result.push_back(p.data());
    }
    return result;
}

bool isLoaded(const QWidget* form) {
    return std::ranges::any_of(forms(), [form](const QPointer<QWidget>& p) { return p == form; });
}

QWidget* formOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (isLoaded(w)) {
            return w;
        }
    }
    return nullptr;
}

void unload(QWidget* form) {
    std::erase_if(forms(), [form](const QPointer<QWidget>& p) { return p == form; });
    form->close();
    form->deleteLater();
}

void unloadAllExcept(const QWidget* keep) {
    for (QWidget* form : loaded()) {
        if (form != keep) {
            unload(form);
        }
    }
}

} // namespace tarvex::Forms
