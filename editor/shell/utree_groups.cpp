#include "utree_groups.h"

#include "dialogs.h"
#include "editorglyphs.h"
#include "helpviewer.h"
#include "utree_dm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace editor {

namespace {

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

QLabel *fieldLabel(const QString &text, const QString &hint, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setToolTip(hint);
    l->setBuddy(buddy);
    if (!hint.isEmpty())
        buddy->setToolTip(hint);
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QIcon &icon, const QString &hint)
{
    auto *b = new QPushButton(icon, text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setIconSize(QSize(20, 20));
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}

const QString kDiscardQuestion = QStringLiteral("Elveti a függőben lévő módosításokat?");

} // namespace

TGroupForm::TGroupForm(TDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TGroupForm"));
    setWindowTitle(QStringLiteral("Csoportok adatainak kezelése"));
    help::setHelpContext(this, kHelpContext);
    resize(645, 405);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_model = new db::TableViewModel(m_dm.T_ro_group,
                                     {QStringLiteral("TAXGRP_NAME"), QStringLiteral("TAXGRP_LAT"), QStringLiteral("TAXGRP_CREATOR")},
                                     {QStringLiteral("Csoport neve"), QStringLiteral("Csoport Latin megnevezése"), QStringLiteral("Készítő")},
                                     this);
    DBGrid1->setModel(m_model);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->verticalHeader()->setDefaultSectionSize(22);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 220);
    DBGrid1->setColumnWidth(1, 220);

    auto *frame = new QGroupBox(QStringLiteral("Csoport adatai"), this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    e_id = lineEdit(frame, "e_id", 12);
    // Never editable, but readable: the generator gives the id.
    e_id->setReadOnly(true);
    e_id->setFocusPolicy(Qt::NoFocus);
    QPalette idPalette = e_id->palette();
    idPalette.setColor(QPalette::Base, idPalette.color(QPalette::Window));
    e_id->setPalette(idPalette);
    e_id->setFixedWidth(90);
    E_Grpname = lineEdit(frame, "E_Grpname", 80);
    e_grplat = lineEdit(frame, "e_grplat", 80);
    e_creator = lineEdit(frame, "e_creator", 100);
    e_verzio = lineEdit(frame, "e_verzio", 12);
    e_verzio->setFixedWidth(120);
    m_grpdesc = new QPlainTextEdit(frame);
    m_grpdesc->setObjectName(QStringLiteral("m_grpdesc"));
    m_grpdesc->setTabChangesFocus(true);
    m_grpdesc->setFixedHeight(72);
    l_fajszam = new QLabel(QStringLiteral("0 db"), frame);
    l_fajszam->setObjectName(QStringLiteral("l_fajszam"));

    auto *grid = new QGridLayout(frame);
    grid->addWidget(fieldLabel(QStringLiteral("Azonosító"), QStringLiteral("A csoport belső azonosítója"), e_id, frame), 0, 0);
    auto *idRow = new QHBoxLayout;
    idRow->addWidget(e_id);
    idRow->addSpacing(24);
    idRow->addWidget(new QLabel(QStringLiteral("Eddigi fajszám"), frame));
    idRow->addWidget(l_fajszam);
    idRow->addStretch(1);
    grid->addLayout(idRow, 0, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Csoport neve"), QStringLiteral("A csoport neve, ez látszik a határozó fejlécében"),
                               E_Grpname, frame),
                    1, 0);
    grid->addWidget(E_Grpname, 1, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Csoport latin neve"),
                               QStringLiteral("A csoport latin neve, ha értelmezhető. Ez látszik másodikként a csoport neve mögött a határozóban"),
                               e_grplat, frame),
                    2, 0);
    grid->addWidget(e_grplat, 2, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Készítő"), QStringLiteral("A csoport határozóját létrehozó személy neve"), e_creator, frame),
                    3, 0);
    auto *creatorRow = new QHBoxLayout;
    creatorRow->addWidget(e_creator, 1);
    creatorRow->addSpacing(12);
    creatorRow->addWidget(fieldLabel(QStringLiteral("Verzió"), QString(), e_verzio, frame));
    creatorRow->addWidget(e_verzio);
    grid->addLayout(creatorRow, 3, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Leírás"), QStringLiteral("Pársoros opcionális leírás a csoportról."), m_grpdesc, frame),
                    4, 0, Qt::AlignTop);
    grid->addWidget(m_grpdesc, 4, 1);
    grid->setColumnStretch(1, 1);

    btnInsert = button(this, "btnInsert", QStringLiteral("Új csoport"), glyphs::newItem(), QStringLiteral("Új csoport létrehozása"));
    btnDelete = button(this, "btnDelete", QStringLiteral("Törlés"), glyphs::deleteItem(), QStringLiteral("Csoport törlése"));
    btnOk = button(this, "btnOk", QStringLiteral("Rögzítés"), glyphs::accept(),
                   QStringLiteral("Kijelölt csoport módosításának jóváhagyása"));
    btnCancel = button(this, "btnCancel", QStringLiteral("Elvetés"), glyphs::cancel(),
                       QStringLiteral("Kijelölt csoport módosításának elvetése"));
    btnexit = button(this, "btnexit", QStringLiteral("Kilépés"), glyphs::exitDoor(),
                     QStringLiteral("Kilépés a csoportszerkesztőből"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnInsert);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    buttons->addWidget(btnexit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(DBGrid1, &QTableView::clicked, this, [this](const QModelIndex &index) {
        m_dm.T_ro_group.setCurrent(index.row());
        DBGrid1CellClick();
    });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (!m_syncingSelection && current.isValid())
            m_dm.T_ro_group.setCurrent(current.row());
    });
    connect(&m_dm.T_ro_group, &db::TableView::currentChanged, this, &TGroupForm::selectCurrentRow);
    connect(&m_dm.T_ro_group, &db::TableView::refreshed, this, &TGroupForm::selectCurrentRow);
    connect(btnInsert, &QPushButton::clicked, this, &TGroupForm::btnInsertClick);
    connect(btnDelete, &QPushButton::clicked, this, &TGroupForm::btnDeleteClick);
    connect(btnOk, &QPushButton::clicked, this, &TGroupForm::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TGroupForm::btnCancelClick);
    connect(btnexit, &QPushButton::clicked, this, &TGroupForm::btnExitClick);
    for (QLineEdit *e : {e_id, E_Grpname, e_grplat, e_creator, e_verzio})
        connect(e, &QLineEdit::textChanged, this, &TGroupForm::e_idChange);
    connect(m_grpdesc, &QPlainTextEdit::textChanged, this, &TGroupForm::m_grpdescChange);

    // FormCreate.
    ResetForm();
}

bool TGroupForm::inEditMode() const
{
    return !btnOk->isHidden();
}

QString TGroupForm::deleteQuestion(const QString &groupName)
{
    return QStringLiteral("Valóban törli a(z) „%1” csoportot?\n"
                          "A csoporttal együtt véglegesen törlődik minden kérdése, faja, a fajok fotói "
                          "és a teljes tulajdonság-mátrixa is!")
        .arg(groupName);
}

void TGroupForm::showEvent(QShowEvent *event)
{
    selectCurrentRow();
    QDialog::showEvent(event);
}

void TGroupForm::selectCurrentRow()
{
    m_syncingSelection = true;
    const int row = m_dm.T_ro_group.current();
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        DBGrid1->scrollTo(index);
    } else {
        DBGrid1->selectionModel()->clearSelection();
    }
    m_syncingSelection = false;
    btnDelete->setEnabled(row >= 0);
}

void TGroupForm::ClearFields()
{
    for (QLineEdit *e : {e_id, E_Grpname, e_grplat, e_creator, e_verzio})
        e->clear();
    m_grpdesc->clear();
}

void TGroupForm::EnableFields(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{E_Grpname, e_grplat, e_creator, e_verzio, m_grpdesc})
        w->setEnabled(on);
    if (on)
        E_Grpname->setFocus();
}

void TGroupForm::ShowEditButtons(bool on)
{
    btnOk->setVisible(on);
    btnCancel->setVisible(on);
    btnInsert->setVisible(!on);
    btnDelete->setVisible(!on);
}

void TGroupForm::ResetForm()
{
    ClearFields();
    EnableFields(false);
    ShowEditButtons(false);
    DataModified = false;
}

void TGroupForm::e_idChange()
{
    DataModified = true;
}

void TGroupForm::m_grpdescChange()
{
    DataModified = true;
}

void TGroupForm::DBGrid1CellClick()
{
    // Pending edits stay in the fields with their identifier; only the list moves.
    if (DataModified)
        return;
    ShowEditButtons(true);
    ClearFields();
    const db::TableView &groups = m_dm.T_ro_group;
    e_id->setText(groups.fieldText(QStringLiteral("TAXGRP_ID")));
    E_Grpname->setText(groups.fieldText(QStringLiteral("TAXGRP_NAME")));
    e_grplat->setText(groups.fieldText(QStringLiteral("TAXGRP_LAT")));
    e_creator->setText(groups.fieldText(QStringLiteral("TAXGRP_CREATOR")));
    e_verzio->setText(groups.fieldText(QStringLiteral("TAXGRP_VERZIO")));
    m_grpdesc->setPlainText(groups.fieldText(QStringLiteral("TAXGRP_DESC")));
    E_Grpname->setCursorPosition(0);
    EnableFields(true);
    DataModified = false;
    l_fajszam->setText(m_dm.SelectString(m_dm.tmpquery, QStringLiteral("select count(*) from taxonnames where taxname_taxgrp=") +
                                                            e_id->text() + QStringLiteral(";")) +
                       QStringLiteral(" db"));
}

void TGroupForm::btnInsertClick()
{
    if (DataModified && !dialogs().confirm(kDiscardQuestion))
        return;
    m_dm.RollBackIfActive(m_dm.trans_readwrite);
    ShowEditButtons(true);
    ClearFields();
    EnableFields(true);
    DataModified = false;
}

bool TGroupForm::nameExists(const QString &name)
{
    // Bound as a parameter, so that a name with an apostrophe is looked up like any other.
    fb::Query &q = m_dm.tmpquery;
    q.close();
    q.setSql(QString());
    q.setSql(QStringLiteral("select taxgrp_name from tax_group where taxgrp_name=:name;"));
    q.setString(QStringLiteral("name"), name);
    bool found = false;
    try {
        q.open();
        found = !q.eof() && !q.field(0).asString().isEmpty();
    } catch (...) {
        q.close();
        throw;
    }
    q.close();
    return found;
}

void TGroupForm::btnOkClick()
{
    if (!DataModified) {
        ResetForm();
        return;
    }
    const QString name = E_Grpname->text().trimmed();
    if (name.isEmpty()) {
        dialogs().error(QStringLiteral("A csoportnév nem lehet üres!"));
        return;
    }
    fb::Query &exec = m_dm.tmpExecSQL;
    exec.close();
    exec.setSql(QString());
    if (!e_id->text().isEmpty()) {
        exec.setSql(QStringLiteral("update tax_group set taxgrp_name=:name, taxgrp_lat=:lat,taxgrp_desc=:desc,"
                                   "taxgrp_creator=:creator,taxgrp_verzio=:verz\nwhere taxgrp_id=:id ;"));
        exec.setString(QStringLiteral("id"), e_id->text());
    } else {
        if (nameExists(name)) {
            dialogs().error(QStringLiteral("A csoportnév már létezik!"));
            return;
        }
        exec.setSql(QStringLiteral("Insert into tax_group (taxgrp_name,taxgrp_lat,taxgrp_desc,taxgrp_creator,taxgrp_verzio) "
                                   "values (:name,:lat,:desc,:creator,:verz);"));
    }
    exec.setString(QStringLiteral("name"), name);
    exec.setString(QStringLiteral("lat"), e_grplat->text().trimmed());
    exec.setString(QStringLiteral("creator"), e_creator->text().trimmed());
    exec.setString(QStringLiteral("verz"), e_verzio->text().trimmed());
    exec.setMemo(QStringLiteral("desc"), m_grpdesc->toPlainText().trimmed());

    m_dm.StartWrite();
    exec.execute();
    m_dm.CommitWrite();

    ResetForm();
    m_dm.T_ro_group.refresh();
}

void TGroupForm::btnCancelClick()
{
    ResetForm();
}

void TGroupForm::btnExitClick()
{
    if (DataModified && !dialogs().confirm(kDiscardQuestion))
        return;
    m_dm.RollBackIfActive(m_dm.trans_readwrite);
    ResetForm();
    accept();
}

void TGroupForm::btnDeleteClick()
{
    const db::TableView &groups = m_dm.T_ro_group;
    bool numeric = false;
    const QString id = groups.fieldText(QStringLiteral("TAXGRP_ID"));
    id.toInt(&numeric);
    if (groups.current() < 0 || !numeric)
        return;
    if (!dialogs().confirm(deleteQuestion(groups.fieldText(QStringLiteral("TAXGRP_NAME")))))
        return;
    // No cascading rules in the database: every row that carries the group's id goes in one
    // transaction, so a failure leaves the group whole.
    m_dm.StartWrite();
    for (const char *statement : {"delete from attrs where a_taxgrp_id=", "delete from photos where photo_taxgrp_id=",
                                  "delete from questions where q_taxgrp_id=", "delete from taxonnames where taxname_taxgrp=",
                                  "delete from tax_group where taxgrp_id="})
        m_dm.RunSql(m_dm.tmpExecSQL, QString::fromLatin1(statement) + id + QStringLiteral(";"));
    m_dm.CommitWrite();
    ResetForm();
    l_fajszam->setText(QStringLiteral("0 db"));
    m_dm.T_ro_group.refresh();
}

} // namespace editor
