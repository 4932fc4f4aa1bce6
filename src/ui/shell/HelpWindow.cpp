// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/HelpWindow.h"

#include "ui/shell/AppInfo.h"
#include "ui/shell/MsgBoxPos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QVBoxLayout>

#include <vector>

namespace tarvex {
namespace {

const QString kGuideName = QStringLiteral("tarvex-viewer/guide/user-guide.md");
constexpr int kPictureWidth = 760; // the screenshots are larger than a reading width
constexpr QSize kWindowSize{900, 700};
constexpr int kMargin = 12;

QPointer<HelpWindow>& kept() {
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

QString HelpWindow::guidePath() {
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral("../share/") + kGuideName);
    if (QFileInfo(besideProgram).isFile()) {
        return QDir::cleanPath(besideProgram);
    }
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, kGuideName);
}

HelpWindow* HelpWindow::existing() {
    return kept().data();
}

void HelpWindow::showGuide(QWidget* owner) {
    if (kept().isNull()) {
        const QString guide = guidePath();
        if (guide.isEmpty()) {
            QString title;
            MsgBoxPos(QStringLiteral("The user guide is not installed (%1 was not found).")
                          .arg(kGuideName),
                      MsgStyle::Information, title, owner, 0);
            return;
        }
        kept() = new HelpWindow(guide, owner);
    }
    HelpWindow* window = kept().data();
    window->show();
    window->raise();
    window->activateWindow();
}

HelpWindow::HelpWindow(const QString& guide, QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("%1 - User Guide").arg(kAppTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_->setObjectName(QStringLiteral("guideBrowser"));
    browser_->setAccessibleName(QStringLiteral("User guide"));
    browser_->setOpenExternalLinks(true);
    browser_->document()->setDocumentMargin(kMargin);
    browser_->setSearchPaths({QFileInfo(guide).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(guide), QTextDocument::MarkdownResource);
    fitPictures();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(kWindowSize);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

// Pictures wider than the reading width are shown at that width; their height follows.
void HelpWindow::fitPictures() {
    const QDir base = QFileInfo(browser_->source().toLocalFile()).absoluteDir();
    QTextDocument* doc = browser_->document();
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures; // changed afterwards: a new format may split fragments
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (image.isValid()) {
                pictures.push_back({fragment.position(), fragment.length(), image});
            }
        }
    }
    for (Picture& picture : pictures) {
        const QSize size = QImageReader(base.filePath(picture.format.name())).size();
        if (size.width() <= kPictureWidth) {
            continue;
        }
        picture.format.setWidth(kPictureWidth);
        picture.format.setHeight(static_cast<double>(kPictureWidth) * size.height() / size.width());
        QTextCursor cursor(doc);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
}

} // namespace tarvex
