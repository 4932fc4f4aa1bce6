// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/frmAbout.h"

#include "ui/shell/AppInfo.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SysInfo.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tarvex {
namespace {
frmAbout* s_instance = nullptr;

// Short enough for the label's two lines.
const QString kDisclaimerText =
    QStringLiteral("This program is free software under the GNU GPL version 3 or later. It "
                   "comes with no warranty, to the extent permitted by law.  ");

constexpr TwipsRect kInner{0, 0, 5865, 3630};
constexpr TwipsRect kImage{90, 60, 3645, 2820};
constexpr TwipsRect kTitle{3900, 60, 1920, 555};
constexpr TwipsRect kVersion{4005, 735, 1710, 225};
constexpr TwipsRect kOk{4125, 1935, 1467, 345};
constexpr TwipsRect kSysInfo{4125, 2445, 1452, 345};
constexpr TwipsRect kLine{0, 2955, 5865, 15};
constexpr TwipsRect kDisclaimer{255, 3045, 5565, 510};

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}
} // namespace

frmAbout& frmAbout::instance(QWidget* owner) {
    if (s_instance == nullptr) {
        s_instance = new frmAbout(owner);
        s_instance->Form_Load();
    }
    return *s_instance;
}

frmAbout* frmAbout::existing() {
    return s_instance;
}

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner), Image1(new QLabel(this)),
      lblTitle(makeLabel(QStringLiteral("lblTitle"), QStringLiteral("Application Title"), this)),
      lblVersion(makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version"), this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdSysInfo(new QPushButton(QStringLiteral("&System Info..."), this)),
      lblDisclaimer(makeLabel(QStringLiteral("lblDisclaimer"), kDisclaimerText, this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Corvane Data Viewer"));
    setModal(true);
    buildControls();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Forms::add(this);
}

frmAbout::~frmAbout() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

void frmAbout::buildControls() {
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsToPixels(kImage, this));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/splash.svg"))
                          .scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setGeometry(twipsToPixels(kTitle, this));
    lblVersion->setGeometry(twipsToPixels(kVersion, this));

    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsToPixels(kOk, this));
    cmdOK->setDefault(true);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsToPixels(kSysInfo, this));
    cmdSysInfo->setAutoDefault(false);

    // An etched separator: a grey line with a white one just below it.
    const QRect line = twipsToPixels(kLine, this);
    for (std::size_t i = 0; i < Line1.size(); ++i) {
        auto* f = new QFrame(this);
        f->setObjectName(QStringLiteral("Line1_%1").arg(i));
        f->setAutoFillBackground(true);
        f->setBackgroundRole(i == 0 ? QPalette::Mid : QPalette::Light);
        f->setGeometry(line.left(), line.top() + static_cast<int>(i), line.width(), 1);
        Line1.at(i) = f;
    }

    QFont small = lblDisclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblDisclaimer->setFont(small);
    fitDisclaimer();
}

// The notice keeps its design place and width; the box grows if the text needs more lines
// than the design height holds at the font in use.
void frmAbout::fitDisclaimer() {
    QRect r = twipsToPixels(kDisclaimer, this);
    r.setHeight(qMax(r.height(), lblDisclaimer->heightForWidth(r.width())));
    lblDisclaimer->setGeometry(r);
    const QRect inner = twipsToPixels(kInner, this);
    const int bottomMargin = inner.height() - twipsToPixels(kDisclaimer, this).bottom();
    setFixedSize(inner.width(), qMax(inner.height(), r.bottom() + bottomMargin));
}

void frmAbout::Form_Load() {
    lblVersion->setText(versionText());
    lblTitle->setText(kAppTitle);
}

void frmAbout::cmdOK_Click() {
    ignoreErrors([this] { unloadBox(); });
}

void frmAbout::cmdSysInfo_Click() {
    ignoreErrors([] { StartSysInfo(); });
}

void frmAbout::reject() {
    cmdOK_Click(); // Esc and the close box act as OK
}

void frmAbout::unloadBox() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
    done(QDialog::Accepted);
    Forms::unload(this);
}

} // namespace tarvex
