#include "utree_about.h"

#include "version.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A határozóról"));

    auto *fields = new QGridLayout;
    // Text can still be selected with the mouse; the keyboard starts on the close button.
    addAboutFields(this, fields, true);
    m_desc->setFixedHeight(120);
    fields->addWidget(new QLabel(QStringLiteral("Leírás"), this), 4, 0, 1, 2);
    fields->addWidget(m_desc, 5, 0, 1, 2);
    fields->setColumnMinimumWidth(1, 300);

    auto *bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("Panel1"));
    bottom->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lbl_credit = new QLabel(QStringLiteral("ZEPRA – sokszempontú határozókulcsok készítése"), bottom);
    lbl_credit->setObjectName(QStringLiteral("lbl_credit"));
    lbl_version = new QLabel(QStringLiteral("Verzió: ") + programVersion(), bottom);
    lbl_version->setObjectName(QStringLiteral("lbl_version"));
    btn_close = new QPushButton(QStringLiteral("Bezár"), bottom);
    btn_close->setObjectName(QStringLiteral("btn_close"));
    btn_close->setDefault(true);
    connect(btn_close, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottomLayout = new QGridLayout(bottom);
    bottomLayout->addWidget(lbl_credit, 0, 0);
    bottomLayout->addWidget(lbl_version, 1, 0);
    bottomLayout->addWidget(btn_close, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(bottom);
    // A fixed dialog border: the box takes the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::FillFromGroup(const QString &name, const QString &lat, const QString &creator, const QString &verzio,
                              const QString &desc)
{
    e_name->setText(name);
    e_lat->setText(lat);
    e_creator->setText(creator);
    e_verzio->setText(verzio);
    m_desc->setPlainText(desc);
    e_name->setCursorPosition(0);
    e_lat->setCursorPosition(0);
}

} // namespace editor
