// The photos of the shown taxon: read from a real key database, then held by the screen
// so that stepping through them needs the database no more.

#include "identifyscreen.h"
#include "jpeg.h"
#include "photos.h"
#include "picturebox.h"
#include "testdb.h"

#include <QAbstractButton>
#include <QListView>
#include <QTest>

namespace {

QByteArray jpegOf(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return pictures::encodeJpeg(image, 90);
}

void insertPhoto(TestDb &t, int id, int group, int taxon, const QByteArray &bytes)
{
    if (t.rw.isActive())
        t.rw.rollback();
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into PHOTOS (PHOTO_ID, PHOTO_TAXGRP_ID, PHOTO_TAXNAME_ID, PHOTO_PHOTO) values (:id, :grp, :taxon, :photo)");
    q.setInteger("id", id);
    q.setInteger("grp", group);
    q.setInteger("taxon", taxon);
    if (bytes.isNull())
        q.setNull("photo", fb::ParamType::Blob);
    else
        q.setBlob("photo", bytes);
    q.execute();
    t.rw.commit();
}

} // namespace

class ScreenPhotosTest : public QObject {
    Q_OBJECT
private slots:
    void loadsPhotosOfOneTaxonInIdOrder()
    {
        TestDb t;
        // Inserted out of id order; other groups and taxa around them.
        insertPhoto(t, 30, 1, 10, jpegOf({30, 10}));
        insertPhoto(t, 10, 1, 10, jpegOf({10, 10}));
        insertPhoto(t, 20, 1, 10, jpegOf({20, 10}));
        insertPhoto(t, 15, 2, 10, jpegOf({15, 10}));
        insertPhoto(t, 25, 1, 11, jpegOf({25, 10}));
        insertPhoto(t, 40, 1, 10, QByteArray());

        fb::Query query(t.db, t.ro);
        const std::vector<QByteArray> photos = identify::loadTaxonPhotos(query, 1, 10);
        QCOMPARE(photos.size(), size_t(4));
        QList<int> widths;
        for (size_t i = 0; i < 3; ++i)
            widths << pictures::decodeJpeg(photos[i], pictures::Colours::Full).width();
        QCOMPARE(widths, (QList<int>{10, 20, 30}));
        QVERIFY(photos[3].isEmpty());
        QVERIFY(!query.isOpen());

        QCOMPARE(identify::loadTaxonPhotos(query, 1, 11).size(), size_t(1));
        QCOMPARE(identify::loadTaxonPhotos(query, 2, 10).size(), size_t(1));
        QVERIFY(identify::loadTaxonPhotos(query, 1, 12).empty());
    }

    void steppingOutlivesTheDatabase()
    {
        auto t = std::make_unique<TestDb>();
        insertPhoto(*t, 1, 7, 500, jpegOf({40, 20}));
        insertPhoto(*t, 2, 7, 500, jpegOf({20, 40}));
        auto query = std::make_unique<fb::Query>(t->db, t->ro);

        identify::Key key;
        key.SpeciesList << "Fagus sylvatica";
        key.SpeciesHunList << "bükk";
        key.LinkList << "";
        key.Fajok.push_back(500);
        key.JPEGImageList1.emplace_back(jpegOf({40, 20}));
        key.AttrList.emplace_back();

        identify::IdentifyScreen screen(identify::IdentifyScreen::Arrangement::Editor);
        screen.setPhotoSource([&query](int id) { return identify::loadTaxonPhotos(*query, 7, id); });
        screen.setKey(key);
        screen.resize(800, 600);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        auto *list = screen.findChild<QListView *>("SpeciesListBox");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(screen.shownPhotos().size(), size_t(2));

        // The database goes away, as on a switch of database file.
        query.reset();
        t.reset();
        screen.clearKey();
        auto *image2 = screen.findChild<identify::PictureBox *>("Image2");
        QTest::mouseClick(screen.findChild<QAbstractButton *>("NextImageBtn"), Qt::LeftButton);
        QCOMPARE(image2->image().size(), QSize(20, 40));
        QTest::mouseClick(screen.findChild<QAbstractButton *>("previmagebtn"), Qt::LeftButton);
        QCOMPARE(image2->image().size(), QSize(40, 20));
    }
};

QTEST_MAIN(ScreenPhotosTest)
#include "tst_screen_photos.moc"
