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

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A határozóról"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(490, 311);

    auto *grid = new QGridLayout;
    addAboutFields(this, grid, false);
    m_desc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
