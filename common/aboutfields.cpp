#include "aboutfields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

void AboutFields::addAboutFields(QWidget *box, QGridLayout *grid, bool clickFocusOnly)
{
    const auto line = [&](const char *name) {
        auto *e = new QLineEdit(box);
        e->setObjectName(QString::fromLatin1(name));
        // Read-only rather than disabled: the texts stay readable and can be copied.
        e->setReadOnly(true);
        if (clickFocusOnly)
            e->setFocusPolicy(Qt::ClickFocus);
        return e;
    };
    e_name = line("e_name");
    e_lat = line("e_lat");
    e_creator = line("e_creator");
    e_verzio = line("e_verzio");
    m_desc = new QPlainTextEdit(box);
    m_desc->setObjectName(QStringLiteral("m_desc"));
    m_desc->setReadOnly(true);
    if (clickFocusOnly)
        m_desc->setFocusPolicy(Qt::ClickFocus);

    const QString nameHint = QStringLiteral("Annak a csoportnak/taxonnak a megnevezése, melyet kiválasztottunk határozásra");
    auto *nameLabel = new QLabel(QStringLiteral("Határozó csoport:"), box);
    nameLabel->setToolTip(nameHint);
    e_name->setToolTip(nameHint);

    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(e_name, 0, 1);
    grid->addWidget(e_lat, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Készítő:"), box), 2, 0);
    grid->addWidget(e_creator, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Határozókulcs verziója"), box), 3, 0);
    grid->addWidget(e_verzio, 3, 1);
}
