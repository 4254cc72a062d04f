// The real main window, offscreen, on a small key: identification down to one taxon, the
// about box, help, the top panel's layout rules and the stored placement.

#include "helpviewer.h"
#include "identifyscreen.h"
#include "keyfiles.h"
#include "paths.h"
#include "scripted_dialogs.h"
#include "ukereso_about.h"
#include "ukereso_main.h"
#include "version.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using finder::TMainForm;

namespace {

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList listed(QListView *list)
{
    QStringList out;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        out << list->model()->index(row, 0).data().toString();
    return out;
}

} // namespace

class MainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_forest; // template: one group, three trees

    // A program folder holding a copy of the forest key, and a user folder.
    struct Setup {
        QTemporaryDir root;
        QString prog() const { return root.filePath(QStringLiteral("prog")) + u'/'; }
        QString user() const { return root.filePath(QStringLiteral("user")); }
        QString ini() const { return user() + QStringLiteral("/ZEPRA/SK_keres.ini"); }
    };
    std::unique_ptr<Setup> setup(const QString &key = {})
    {
        auto s = std::make_unique<Setup>();
        QDir().mkpath(s->prog());
        QDir().mkpath(s->user());
        // Installed as the build installs the program: the key and the help file beside it.
        const QString source = key.isEmpty() ? m_forest : key;
        const QString name = key.isEmpty() ? QStringLiteral("erdo.fdb") : QFileInfo(key).fileName();
        if (!QFile::copy(source, s->prog() + name) ||
            !QFile::copy(paths::programFolder() + QStringLiteral("zepra_keres.qch"), s->prog() + QStringLiteral("zepra_keres.qch")))
            qFatal("cannot set up the program folder");
        return s;
    }

    template <typename T> static T *child(QWidget &w, const char *name)
    {
        T *found = w.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void initTestCase()
    {
        fb::usePrivateRootBesideProgram();
        m_forest = m_dir.filePath(QStringLiteral("forest.fdb"));
        keyfiles::KeyFile f(m_forest);
        keyfiles::makeForestKey(f);
    }

    void identifiesToASingleTaxon()
    {
        auto s = setup();
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        auto *all = child<QTreeWidget>(w, "AllQuestionsTree");
        auto *chosen = child<QTreeWidget>(w, "SelectedQuestions");
        auto *choose = child<QToolButton>(w, "SelectQuestionBtn");
        auto *list = child<QListView>(w, "SpeciesListBox");
        auto *count = child<QLabel>(w, "CountLabel");
        auto *total = child<QLabel>(w, "SpeciesCountLabel");
        auto *heading = child<QLabel>(w, "RxLabel4");

        // The single group was loaded at start.
        QCOMPARE(w.SelectedGroupCombo->currentText(), QStringLiteral("Erdei fák"));
        QCOMPARE(total->text(), QStringLiteral("3"));
        QCOMPARE(count->text(), QStringLiteral("3"));
        QCOMPARE(heading->text(), QStringLiteral("Teljes fajlista"));
        QCOMPARE(listed(list), (QStringList{"erdeifenyő", "kocsányos tölgy", "közönséges bükk"}));

        // Broad leaves: the pine goes.
        all->setCurrentItem(findItem(all, QStringLiteral("lomblevél")));
        QTest::mouseClick(choose, Qt::LeftButton);
        QCOMPARE(count->text(), QStringLiteral("2"));
        QCOMPARE(heading->text(), QStringLiteral("Szűkített fajlista"));
        QCOMPARE(listed(list), (QStringList{"kocsányos tölgy", "közönséges bükk"}));

        // Acorns: the oak alone is left.
        all->setCurrentItem(findItem(all, QStringLiteral("makk")));
        QTest::mouseClick(choose, Qt::LeftButton);
        QCOMPARE(count->text(), QStringLiteral("1"));
        QCOMPARE(listed(list), QStringList{QStringLiteral("kocsányos tölgy")});
        QCOMPARE(total->text(), QStringLiteral("3"));
        QVERIFY(findItem(chosen, QStringLiteral("Termés")));

        // Its details: names, photos, link.
        const QRect row = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(child<QLabel>(w, "l_latnev")->text(), QStringLiteral("Quercus robur"));
        QCOMPARE(child<QLabel>(w, "l_hunnev")->text(), QStringLiteral("kocsányos tölgy"));
        QVERIFY(child<QWidget>(w, "Image2")->isVisible());
        QCOMPARE(w.Screen->shownPhotos().size(), size_t(2));
        QVERIFY(child<QToolButton>(w, "NextImageBtn")->isEnabled());
        QVERIFY(child<QPushButton>(w, "Button1")->isEnabled());
        QCOMPARE(child<QPushButton>(w, "Button1")->toolTip(), QStringLiteral("https://example.org/tolgy"));

        // "Not acorns" instead: the beech is the one.
        QTreeWidgetItem *makk = findItem(chosen, QStringLiteral("makk"));
        const QPoint at = chosen->visualItemRect(makk).topLeft() + QPoint(8, chosen->visualItemRect(makk).height() / 2);
        QTest::mouseClick(chosen->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(chosen->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(makk->data(0, identify::IdentifyScreen::StateIndexRole).toInt(), 2);
        QCOMPARE(listed(list), QStringList{QStringLiteral("közönséges bükk")});
        QCOMPARE(count->text(), QStringLiteral("1"));
    }

    // The demo key the build puts beside the program, as a new user meets it.
    void identifiesOnTheDemoKey()
    {
        const QString demo = paths::programFolder() + QStringLiteral("hazai_fak.fdb");
        if (!QFile::exists(demo))
            QSKIP("the demo key database has not been built");
        auto s = setup(demo);
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.DB_Zuderirav.databaseName, s->prog() + QStringLiteral("hazai_fak.fdb"));
        QCOMPARE(w.SelectedGroupCombo->currentText(), QStringLiteral("Hazai fák"));
        const int taxa = w.Screen->key().taxonCount();
        QVERIFY(taxa > 10);
        QCOMPARE(child<QLabel>(w, "SpeciesCountLabel")->text(), QString::number(taxa));

        // Needles in whorls of three: the juniper.
        auto *all = child<QTreeWidget>(w, "AllQuestionsTree");
        auto *list = child<QListView>(w, "SpeciesListBox");
        for (const QString &answer : {QStringLiteral("tűlevél"), QStringLiteral("örvös (csomónként három levél)")}) {
            QTreeWidgetItem *item = findItem(all, answer);
            QVERIFY2(item, qPrintable(answer));
            all->scrollToItem(item);
            QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, all->visualItemRect(item).topLeft() + QPoint(8, all->visualItemRect(item).height() / 2));
            QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, all->visualItemRect(item).topLeft() + QPoint(8, all->visualItemRect(item).height() / 2));
            QCOMPARE(item->data(0, identify::IdentifyScreen::StateIndexRole).toInt(), 1);
        }
        QCOMPARE(listed(list), QStringList{QStringLiteral("közönséges boróka")});
        QCOMPARE(child<QLabel>(w, "CountLabel")->text(), QStringLiteral("1"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(child<QLabel>(w, "l_latnev")->text(), QStringLiteral("Juniperus communis"));
        QVERIFY(child<QWidget>(w, "Image2")->isVisible());
    }

    void aboutBoxShowsTheGroup()
    {
        auto s = setup();
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        w.show();
        bool shown = false;
        QTimer::singleShot(0, &w, [&] {
            shown = w.AboutBox->isVisible() && QApplication::activeModalWidget() == w.AboutBox;
            QTest::mouseClick(w.AboutBox->btnClose, Qt::LeftButton);
        });
        QTest::mouseClick(w.btnTestAbout, Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(!w.AboutBox->isVisible());
        QCOMPARE(w.AboutBox->windowTitle(), QStringLiteral("A határozóról"));
        QCOMPARE(w.AboutBox->e_name->text(), QStringLiteral("Erdei fák"));
        QCOMPARE(w.AboutBox->e_lat->text(), QStringLiteral("Arbores silvae"));
        QCOMPARE(w.AboutBox->e_creator->text(), QStringLiteral("Teszt Elek"));
        QCOMPARE(w.AboutBox->e_verzio->text(), QStringLiteral("1.2"));
        QCOMPARE(w.AboutBox->m_desc->toPlainText(), QStringLiteral("Három gyakori fa határozókulcsa."));
        QVERIFY(w.AboutBox->e_name->isReadOnly());
        QCOMPARE(w.AboutBox->l_version->text(), QStringLiteral("Verzió: ") + programVersion());
        QVERIFY(QRegularExpression(QStringLiteral("^Verzió: \\d+\\.\\d+\\.\\d+\\.\\d+$"))
                    .match(w.AboutBox->l_version->text())
                    .hasMatch());
        QVERIFY(!w.AboutBox->l_credit->text().isEmpty());
    }

    void helpButtonAndF1OpenContext70()
    {
        auto s = setup();
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!w.Help->isVisible());
        QTest::mouseClick(w.btn_help, Qt::LeftButton);
        QVERIFY(w.Help->isVisible());
        QCOMPARE(w.Help->browser()->source().fileName(), QStringLiteral("context-70.html"));
        w.Help->browser()->setSource(w.Help->pageUrl(70).resolved(QUrl(QStringLiteral("talalatok.html"))));
        w.Help->hide();

        auto *tree = child<QTreeWidget>(w, "AllQuestionsTree");
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_F1);
        QVERIFY(w.Help->isVisible());
        QCOMPARE(w.Help->browser()->source().fileName(), QStringLiteral("context-70.html"));
    }

    void topPanelAndSizes()
    {
        auto s = setup();
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        QCOMPARE(w.windowTitle(), QStringLiteral("ZEPRA - Ravarorud határozó"));
        QCOMPARE(w.size(), QSize(800, 579));
        QCOMPARE(w.property(help::kContextProperty).toInt(), 70);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Panel7->height(), 50);

        // Hints of the top panel's picture buttons, all 40 x 40 without captions.
        const QList<QPair<const char *, QString>> hints{
            {"btnTestAbout", QStringLiteral("Információ a határozóról")},
            {"SpeedButton2", QStringLiteral("Minden kérdéscsoport bezárása")},
            {"SpeedButton3", QStringLiteral("Minden kérdéscsoport kibontása")},
            {"btn_help", QStringLiteral("Súgó indítása")},
            {"btnTools", QStringLiteral("Beállítások, eszközök")},
            {"Btn_exit", QStringLiteral("Kilépés a programból")}};
        int lastLeft = -1;
        for (const auto &[name, hint] : hints) {
            auto *b = child<QToolButton>(w, name);
            QCOMPARE(b->parentWidget(), static_cast<QWidget *>(w.Panel7));
            QCOMPARE(b->toolTip(), hint);
            QCOMPARE(b->size(), QSize(40, 40));
            QVERIFY(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
            QVERIFY(!b->icon().isNull());
            QVERIFY2(b->x() > lastLeft, name); // left to right in this order
            lastLeft = b->x();
        }
        QVERIFY(child<QLabel>(w, "CountLabel")->font().bold());
        QCOMPARE(child<QLabel>(w, "CountLabel")->parentWidget()->parentWidget(), static_cast<QWidget *>(w.Panel7));

        // The exit button keeps 50 pixels from the right edge at every width.
        for (int width : {800, 1100, 640}) {
            w.resize(width, 600);
            QTRY_COMPARE(w.width(), width);
            QTRY_COMPARE(w.Btn_exit->x(), w.Panel7->width() - 50);
        }
        // No smaller than 600 x 400; exactly that is allowed.
        w.resize(300, 200);
        QTRY_COMPARE(w.size(), QSize(600, 400));
        w.resize(599, 401);
        QTRY_COMPARE(w.size(), QSize(600, 401));
    }

    void placementIsKept()
    {
        auto s = setup();
        int panel5 = 0, panel8 = 0;
        {
            ScriptedDialogs dialogs;
            TMainForm w(s->prog(), s->user());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(950, 680);
            QTRY_COMPARE(w.size(), QSize(950, 680));
            auto *main = child<QSplitter>(w, "MainSplitter");
            auto *details = child<QSplitter>(w, "DetailsSplitter");
            main->setSizes({600, 345});
            details->setSizes({450, 180});
            panel5 = child<QWidget>(w, "Panel5")->width();
            panel8 = child<QWidget>(w, "Panel8")->height();
            QVERIFY(panel5 > 300);
            QVERIFY(panel8 > 150);
            QTest::mouseClick(w.Btn_exit, Qt::LeftButton);
            QVERIFY(!w.isVisible());
        }
        QSettings ini(s->ini(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("TMainForm/Panel5.Width")).toInt(), panel5);
        QCOMPARE(ini.value(QStringLiteral("TMainForm/Panel8.Height")).toInt(), panel8);
        for (const char *key : {"Panel5.Height", "Panel5.Left", "Panel5.Top", "Panel8.Left", "Panel8.Top", "Panel8.Width"})
            QVERIFY2(ini.contains(QStringLiteral("TMainForm/") + QString::fromLatin1(key)), key);
        QVERIFY(ini.contains(QStringLiteral("TMainForm/Geometry")));

        ScriptedDialogs dialogs;
        TMainForm again(s->prog(), s->user());
        QCOMPARE(again.size(), QSize(950, 680));
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTRY_COMPARE(child<QWidget>(again, "Panel5")->width(), panel5);
        QTRY_COMPARE(child<QWidget>(again, "Panel8")->height(), panel8);
    }

    void choosingAnotherGroupReplacesTheKey()
    {
        auto s = setup();
        {
            keyfiles::KeyFile f(s->prog() + QStringLiteral("erdo.fdb"), false);
            const int g = f.addGroup(QStringLiteral("Cserjék"), QStringLiteral("Frutices"));
            f.exec(QStringLiteral("insert into taxonnames (taxname_lat, taxname_hun, taxname_taxgrp) values ('Rosa canina', 'gyepűrózsa', %1)").arg(g));
        }
        ScriptedDialogs dialogs;
        TMainForm w(s->prog(), s->user());
        QCOMPARE(w.SelectedGroupCombo->count(), 2);
        QCOMPARE(w.SelectedGroupCombo->currentIndex(), -1);
        QCOMPARE(w.Screen->key().taxonCount(), 0);
        // Alphabetical: "Cserjék" before "Erdei fák".
        QCOMPARE(w.SelectedGroupCombo->itemText(0), QStringLiteral("Cserjék"));
        w.SelectedGroupCombo->setCurrentIndex(1);
        QCOMPARE(w.Screen->key().taxonCount(), 3);
        auto *all = child<QTreeWidget>(w, "AllQuestionsTree");
        all->setCurrentItem(findItem(all, QStringLiteral("tűlevél")));
        QTest::mouseClick(child<QToolButton>(w, "SelectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(w, "CountLabel")->text(), QStringLiteral("1"));

        w.SelectedGroupCombo->setCurrentIndex(0);
        QCOMPARE(w.Screen->key().taxonCount(), 1);
        QCOMPARE(child<QTreeWidget>(w, "SelectedQuestions")->topLevelItemCount(), 0);
        QCOMPARE(child<QLabel>(w, "SpeciesCountLabel")->text(), QStringLiteral("1"));
        QCOMPARE(child<QLabel>(w, "CountLabel")->text(), QStringLiteral("1"));
        QCOMPARE(w.AboutBox->e_name->text(), QStringLiteral("Cserjék"));
        QCOMPARE(w.AboutBox->e_lat->text(), QStringLiteral("Frutices"));
    }

    // A hint picture that is no JPEG stops the load: the error box shows the decoder's
    // message, what was loaded stays, and the cursor is normal again.
    void loadErrorKeepsWhatWasLoaded()
    {
        auto s = setup();
        {
            keyfiles::KeyFile f(s->prog() + QStringLiteral("erdo.fdb"), false);
            f.execBlob(QStringLiteral("update questions set q_hintpic=:p where q_id=104"), QStringLiteral("p"),
                       QByteArray("this is no picture"));
        }
        QString decoderMessage;
        try {
            pictures::decodeJpeg(QByteArray("this is no picture"));
        } catch (const std::exception &e) {
            decoderMessage = QString::fromUtf8(e.what());
        }
        QVERIFY(!decoderMessage.isEmpty());
        ScriptedDialogs dialogs;
        dialogs.expectError();
        TMainForm w(s->prog(), s->user());
        QCOMPARE(dialogs.texts(), QStringList{decoderMessage});
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // The question tree was read before the hints.
        QVERIFY(findItem(child<QTreeWidget>(w, "AllQuestionsTree"), QStringLiteral("makk")));
        QCOMPARE(w.AboutBox->e_name->text(), QStringLiteral("Erdei fák"));
    }
};

QTEST_MAIN(MainWindow)
#include "tst_mainwindow.moc"
