#include "ukereso_about.h"

#include "version.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace finder {

namespace {
QLineEdit *field(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // Read-only rather than disabled: the texts stay readable and can be copied.
    e->setReadOnly(true);
    return e;
}
} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A határozóról"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(490, 311);

    e_name = field("e_name", this);
    e_lat = field("e_lat", this);
    e_creator = field("e_creator", this);
    e_verzio = field("e_verzio", this);
    m_desc = new QPlainTextEdit(this);
    m_desc->setObjectName(QStringLiteral("m_desc"));
    m_desc->setReadOnly(true);
    m_desc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const QString nameHint = QStringLiteral("Annak a csoportnak/taxonnak a megnevezése, melyet kiválasztottunk határozásra");
    auto *nameLabel = new QLabel(QStringLiteral("Határozó csoport:"), this);
    nameLabel->setToolTip(nameHint);
    e_name->setToolTip(nameHint);

    auto *grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(e_name, 0, 1);
    grid->addWidget(e_lat, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Készítő:"), this), 2, 0);
    grid->addWidget(e_creator, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Határozókulcs verziója"), this), 3, 0);
    grid->addWidget(e_verzio, 3, 1);
    auto *descLabel = new QLabel(QStringLiteral("Leírás"), this);
    grid->addWidget(descLabel, 4, 0, Qt::AlignTop);
    grid->addWidget(m_desc, 4, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);

    auto *bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("BottomPanel"));
    bottom->setFrameShape(QFrame::StyledPanel);
    auto *bottomLayout = new QHBoxLayout(bottom);
    l_credit = new QLabel(QStringLiteral("ZEPRA sokszempontú határozókulcs-rendszer"), bottom);
    l_credit->setObjectName(QStringLiteral("l_credit"));
    l_version = new QLabel(QStringLiteral("Verzió: ") + programVersion(), bottom);
    l_version->setObjectName(QStringLiteral("l_version"));
    btnClose = new QPushButton(QStringLiteral("Bezár"), bottom);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    auto *texts = new QVBoxLayout;
    texts->addWidget(l_credit);
    texts->addWidget(l_version);
    bottomLayout->addLayout(texts, 1);
    bottomLayout->addWidget(btnClose, 0, Qt::AlignBottom);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    // The fields are for reading: the box opens with the focus on its only button.
    btnClose->setFocus();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(bottom);
}

void TAboutBox::setGroup(const identify::GroupInfo &group)
{
    e_name->setText(group.name);
    e_lat->setText(group.lat);
    e_creator->setText(group.creator);
    e_verzio->setText(group.verzio);
    m_desc->setPlainText(group.desc);
}

} // namespace finder
