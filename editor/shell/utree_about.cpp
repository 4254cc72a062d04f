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

namespace {
QLineEdit *readOnlyLine(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    // Text can still be selected with the mouse; the keyboard starts on the close button.
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}
} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A határozóról"));

    e_name = readOnlyLine(this, "e_name");
    e_name->setToolTip(QStringLiteral("Annak a csoportnak/taxonnak a megnevezése, melyet kiválasztottunk határozásra"));
    e_lat = readOnlyLine(this, "e_lat");
    e_creator = readOnlyLine(this, "e_creator");
    e_verzio = readOnlyLine(this, "e_verzio");
    m_desc = new QPlainTextEdit(this);
    m_desc->setObjectName(QStringLiteral("m_desc"));
    m_desc->setReadOnly(true);
    m_desc->setFocusPolicy(Qt::ClickFocus);
    m_desc->setFixedHeight(120);

    auto *fields = new QGridLayout;
    auto *nameLabel = new QLabel(QStringLiteral("Határozó csoport:"), this);
    nameLabel->setToolTip(e_name->toolTip());
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(e_name, 0, 1);
    fields->addWidget(e_lat, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Készítő:"), this), 2, 0);
    fields->addWidget(e_creator, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Határozókulcs verziója"), this), 3, 0);
    fields->addWidget(e_verzio, 3, 1);
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
