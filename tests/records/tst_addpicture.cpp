#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "core/Error.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/imaging/JpegPicture.h"
#include "platform/imaging/PictureFiles.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "records/PictureCommands.h"
#include "tests/data/DataFixture.h"
#include "tests/platform/imaging/BmpBuilder.h"
#include "tests/platform/imaging/ImagingFixtures.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using widgets::Page;

using fixtures::BmpSpec;
using widgets::DBNavigator;

Q_DECLARE_METATYPE(BmpSpec)

namespace {

const QString kBitmapFilter = QStringLiteral("Bitmap format (*.bmp)");
const QString kJpegFilter = QStringLiteral("Jpeg format (*.jpg)");

// Flat colours without a 0xFF byte, so that a bitmap stored as it is holds no
// JPEG start marker.
const QList<QRgb> kColours = {qRgb(200, 30, 30),  qRgb(30, 180, 40),  qRgb(40, 60, 210),
                              qRgb(220, 200, 40), qRgb(120, 40, 160), qRgb(20, 20, 20)};

constexpr int kWidth = 45; // rows need padding at every depth
constexpr int kHeight = 30;

// Tiles of 16 x 16; no two neighbours share a colour, and the pattern is not
// symmetric, so a flipped or mirrored picture shows.
int tileOf(int x, int y, int colours) {
    return colours == 2 ? (x / 16 + y / 16) % 2 : (x / 16 + 3 * (y / 16)) % colours;
}

QRgb sourceColour(int x, int y, int colours) {
    return colours == 2 ? kColours[tileOf(x, y, 2) * 3] : kColours[tileOf(x, y, colours)];
}

quint32 pixelValue(const BmpSpec &shape, QRgb colour, int index) {
    switch (shape.bitsPerPixel) {
    case 16:
        return quint32(qRed(colour) >> 3 << 10 | qGreen(colour) >> 3 << 5 | qBlue(colour) >> 3);
    case 24:
        return colour & 0xFFFFFF;
    case 32:
        return colour & 0xFFFFFF;
    default:
        return quint32(index);
    }
}

QByteArray bitmapOf(BmpSpec shape) {
    const int colours = shape.bitsPerPixel == 1 ? 2 : int(kColours.size());
    if (shape.bitsPerPixel <= 8) {
        shape.palette.clear();
        for (int i = 0; i < colours; ++i)
            shape.palette << (colours == 2 ? kColours[i * 3] : kColours[i]);
    }
    std::vector<quint32> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels.push_back(pixelValue(shape, sourceColour(x, y, colours), tileOf(x, y, colours)));
    return fixtures::buildBmp(shape, kWidth, kHeight, pixels);
}

QByteArray defaultBitmap() {
    BmpSpec shape;
    return bitmapOf(shape);
}

QByteArray jpegFile(QSize size, quint32 seed = 1) {
    return fixtures::encodeJpeg(fixtures::photoLike(size.width(), size.height(), seed)
                                    .convertToFormat(QImage::Format_RGB888));
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the file dialog showed when it opened, and how it was answered.
struct Answer {
    QString path;      // confirmed; empty: cancel
    QString filter;    // chosen before answering
    QString directory; // visited before answering
};

struct Shown {
    QString directory;
    QStringList files;
    QString filter;
};

class DialogScript {
public:
    explicit DialogScript(ModalAnswerer &boxes) {
        boxes.setDialogHandler([this](QWidget *modal) { answer(modal); });
    }
    void choose(const QString &path, const QString &filter = QString()) {
        m_answers.append({path, filter, QString()});
    }
    void cancel(const QString &filter = QString(), const QString &directory = QString()) {
        m_answers.append({QString(), filter, directory});
    }
    QList<Shown> shown;

private:
    void answer(QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            if (auto *other = qobject_cast<QDialog *>(modal))
                other->reject();
            return;
        }
        shown.append({QDir(dialog->directory()).absolutePath(), dialog->selectedFiles(),
                      dialog->selectedNameFilter()});
        const Answer answer = m_answers.isEmpty() ? Answer{} : m_answers.takeFirst();
        if (!answer.filter.isEmpty())
            dialog->selectNameFilter(answer.filter);
        if (!answer.directory.isEmpty())
            dialog->setDirectory(answer.directory);
        if (answer.path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name field, as selectFile leaves a focused field alone;
        // a file still selected in the list would win over the typed name.
        for (auto *view : dialog->findChildren<QAbstractItemView *>())
            if (view->selectionModel())
                view->selectionModel()->clearSelection();
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(answer.path);
        else
            dialog->selectFile(answer.path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, as Open does
    }
    QList<Answer> m_answers;
};

QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

class TestAddPicture : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void convertsEachBitmapKind_data();
    void convertsEachBitmapKind();
    void fileNameRules_data();
    void fileNameRules();
    void workingDirectoryAndRememberedChoice();
    void cancelBeforeAnyChoiceChangesNothing();
    void cancelShowsMessageAndRefreshes();
    void insertThenAddPicturePostsTheNewRecord();
    void emptyTableGetsRecordWithOnlyThePicture_data();
    void emptyTableGetsRecordWithOnlyThePicture();
    void existingJpegIsOverwritten();
    void failuresStoreNothing_data();
    void failuresStoreNothing();
    void storesOnlyRegularFilesUpToTheLimit_data();
    void storesOnlyRegularFilesUpToTheLimit();

private:
    void openForm(Page page = Page::Household);
    QString pic(const QString &name) const { return m_pictures->filePath(name); }
    QByteArray storedPhoto(qint64 key) const;

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_pictures;
    std::unique_ptr<app::TForm1> m_form;
    QString m_startDirectory;
};

void TestAddPicture::init() {
    m_startDirectory = QDir::currentPath();
    m_fixture = std::make_unique<DataFixture>();
    m_pictures = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pictures->isValid());
}

void TestAddPicture::cleanup() {
    m_form.reset();
    QDir::setCurrent(m_startDirectory);
    m_pictures.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestAddPicture::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
}

QByteArray TestAddPicture::storedPhoto(qint64 key) const {
    return m_fixture
        ->scalar(QStringLiteral("SELECT \"Photograph\" FROM \"Household Inventory\" WHERE "
                                "\"Household ID\" = ?"),
                 {key})
        .toByteArray();
}

void TestAddPicture::convertsEachBitmapKind_data() {
    QTest::addColumn<BmpSpec>("shape");
    auto row = [](const char *name, int bpp, int compression = 0, bool topDown = false,
                  int infoSize = 40) {
        BmpSpec shape;
        shape.bitsPerPixel = bpp;
        shape.compression = compression;
        shape.topDown = topDown;
        shape.infoSize = infoSize;
        QTest::newRow(name) << shape;
    };
    row("1 bpp bottom-up", 1);
    row("1 bpp top-down", 1, 0, true);
    row("4 bpp", 4);
    row("4 bpp top-down", 4, 0, true);
    row("4 bpp RLE", 4, 2);
    row("8 bpp", 8);
    row("8 bpp top-down", 8, 0, true);
    row("8 bpp RLE", 8, 1);
    row("8 bpp core header", 8, 0, false, 12);
    row("16 bpp", 16);
    row("24 bpp bottom-up", 24);
    row("24 bpp top-down", 24, 0, true);
    row("32 bpp bottom-up", 32);
    row("32 bpp top-down", 32, 0, true);
}

void TestAddPicture::convertsEachBitmapKind() {
    QFETCH(BmpSpec, shape);
    const qint64 key = m_fixture->addItem(QStringLiteral("Lamp"));
    const QByteArray bitmap = bitmapOf(shape);
    writeFile(pic(QStringLiteral("house.bmp")), bitmap);
    openForm();
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(QStringLiteral("house.bmp")));
    named<QPushButton>(*m_form, "AddPicture")->click();

    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(readFile(pic(QStringLiteral("house.bmp"))), bitmap); // left in place
    const QByteArray written = readFile(pic(QStringLiteral("house.JPG")));
    QVERIFY(written.startsWith("\xFF\xD8"));
    QCOMPARE(storedPhoto(key), written);

    const QImage decoded =
        platform::JpegPicture(written).toImage().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(decoded.size(), QSize(kWidth, kHeight));
    const int colours = shape.bitsPerPixel == 1 ? 2 : int(kColours.size());
    qint64 total = 0;
    // 16 bits per pixel keep five bits of each channel.
    auto stored = [&shape](int c) { return shape.bitsPerPixel == 16 ? (c >> 3) * 255 / 31 : c; };
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QRgb source = sourceColour(x, y, colours);
            const QRgb want =
                qRgb(stored(qRed(source)), stored(qGreen(source)), stored(qBlue(source)));
            const QRgb got = decoded.pixel(x, y);
            const int diff = qAbs(qRed(want) - qRed(got)) + qAbs(qGreen(want) - qGreen(got)) +
                             qAbs(qBlue(want) - qBlue(got));
            total += diff;
            // Away from the tile edges the colour comes back nearly exact.
            if (x % 16 >= 4 && x % 16 < 12 && y % 16 >= 4 && y % 16 < 12 && x < 44)
                QVERIFY2(diff <= 24, qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                                    .arg(x)
                                                    .arg(y)
                                                    .arg(got, 6, 16)
                                                    .arg(want, 6, 16)));
        }
    }
    QVERIFY2(total / (kWidth * kHeight) <= 12, qPrintable(QString::number(total)));

    // The page shows the new picture and the count.
    QVERIFY(named<QLabel>(*m_form, "NoPicture1")->isHidden());
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage1")->picture().size(),
             QSize(kWidth, kHeight));
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(),
             QSize(kWidth, kHeight));
    QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("1"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
}

void TestAddPicture::fileNameRules_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("written"); // JPEG file written beside it, if any
    QTest::addColumn<QString>("error");   // reported after storing, if any

    const QByteArray bitmap = defaultBitmap();
    const QByteArray jpeg = jpegFile({64, 48});
    QTest::newRow("house.bmp") << "house.bmp" << bitmap << "house.JPG"
                               << "";
    QTest::newRow("house.BMP") << "house.BMP" << bitmap << "house.JPG"
                               << "";
    QTest::newRow("my.photo.bmp") << "my.photo.bmp" << bitmap << "my.photo.JPG"
                                  << "";
    QTest::newRow("house.Bmp stored as it is") << "house.Bmp" << bitmap << ""
                                               << "Stream read error.";
    QTest::newRow("no extension") << "house" << bitmap << ""
                                  << "Stream read error.";
    QTest::newRow("photo.jpg") << "photo.jpg" << jpeg << ""
                               << "";
    QTest::newRow("photo.JPG") << "photo.JPG" << jpeg << ""
                               << "";
    QTest::newRow("photo.jpeg") << "photo.jpeg" << jpeg << ""
                                << "";
    QTest::newRow("jpeg named .png") << "photo.png" << jpeg << ""
                                     << "";
}

void TestAddPicture::fileNameRules() {
    QFETCH(QString, chosen);
    QFETCH(QByteArray, content);
    QFETCH(QString, written);
    QFETCH(QString, error);
    const qint64 key = m_fixture->addItem(QStringLiteral("Lamp"));
    writeFile(pic(chosen), content);
    openForm();
    named<QLineEdit>(*m_form, "Edit1")->setText(QStringLiteral("typed"));
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(chosen));
    named<QPushButton>(*m_form, "AddPicture")->click();

    QCOMPARE(readFile(pic(chosen)), content);
    QStringList expectedFiles{chosen};
    if (!written.isEmpty())
        expectedFiles << written;
    QStringList files = QDir(m_pictures->path()).entryList(QDir::Files);
    files.sort();
    expectedFiles.sort();
    QCOMPARE(files, expectedFiles);

    const QByteArray stored = storedPhoto(key);
    QCOMPARE(stored, written.isEmpty() ? content : readFile(pic(written)));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    if (error.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(named<QLabel>(*m_form, "NoPicture1")->isHidden());
        QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage1")->picture().size(),
                 platform::JpegPicture(stored).size());
        QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("1"));
    } else {
        // Storing succeeded; showing the stored bytes fails, which ends the
        // command before the count.
        QCOMPARE(boxes.texts(), QStringList{error});
        QCOMPARE(boxes.boxes().constFirst().icon, QMessageBox::Critical);
        QVERIFY(named<QLabel>(*m_form, "NoPicture1")->isHidden());
        QVERIFY(named<widgets::PictureView>(*m_form, "ADOImage1")->picture().isNull());
        QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("typed"));
    }
}

void TestAddPicture::workingDirectoryAndRememberedChoice() {
    const qint64 key = m_fixture->addItem(QStringLiteral("Lamp"));
    QTemporaryDir other;
    QVERIFY(other.isValid());
    // A different house.bmp in the working directory must not be the one read.
    BmpSpec decoySpec;
    decoySpec.bitsPerPixel = 8;
    decoySpec.palette = {qRgb(10, 10, 10)};
    QByteArray decoy = fixtures::buildBmp(decoySpec, 8, 8, std::vector<quint32>(64, 0));
    writeFile(other.filePath(QStringLiteral("house.bmp")), decoy);
    const QByteArray photo = jpegFile({32, 24});
    writeFile(other.filePath(QStringLiteral("photo.jpg")), photo);
    writeFile(pic(QStringLiteral("house.bmp")), defaultBitmap());
    QVERIFY(QDir::setCurrent(other.path()));

    openForm();
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(QStringLiteral("house.bmp")));
    named<QPushButton>(*m_form, "AddPicture")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(canonical(QDir::currentPath()), canonical(m_pictures->path()));
    QVERIFY(QFile::exists(pic(QStringLiteral("house.JPG"))));
    QVERIFY(!QFile::exists(other.filePath(QStringLiteral("house.JPG"))));
    QCOMPARE(storedPhoto(key), readFile(pic(QStringLiteral("house.JPG"))));
    QCOMPARE(platform::JpegPicture(storedPhoto(key)).size(), QSize(kWidth, kHeight));

    // The next click opens on the confirmed file with its filter; choosing the
    // JPEG filter and a file elsewhere moves the working directory there.
    dialog.choose(other.filePath(QStringLiteral("photo.jpg")), kJpegFilter);
    named<QPushButton>(*m_form, "AddPicture")->click();
    QCOMPARE(canonical(QDir::currentPath()), canonical(other.path()));
    QCOMPARE(storedPhoto(key), photo);

    // Cancelled after changing filter and folder: nothing of it is kept.
    dialog.cancel(kBitmapFilter, m_pictures->path());
    named<QPushButton>(*m_form, "AddPicture")->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("No picture is added")});
    QCOMPARE(canonical(QDir::currentPath()), canonical(other.path()));
    QCOMPARE(storedPhoto(key), photo);
    named<QPushButton>(*m_form, "AddPicture")->click(); // cancelled again

    QCOMPARE(dialog.shown.size(), 4);
    QCOMPARE(dialog.shown[0].filter, kBitmapFilter);
    QCOMPARE(canonical(dialog.shown[1].files.value(0)),
             canonical(pic(QStringLiteral("house.bmp"))));
    QCOMPARE(dialog.shown[1].filter, kBitmapFilter);
    for (int i : {2, 3}) {
        QCOMPARE(canonical(dialog.shown[i].directory), canonical(other.path()));
        QCOMPARE(canonical(dialog.shown[i].files.value(0)),
                 canonical(other.filePath(QStringLiteral("photo.jpg"))));
        QCOMPARE(dialog.shown[i].filter, kJpegFilter);
    }
}

void TestAddPicture::cancelBeforeAnyChoiceChangesNothing() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    QVERIFY(QDir::setCurrent(m_pictures->path()));
    QTemporaryDir elsewhere;
    openForm();
    QCOMPARE(named<QFileDialog>(*m_form, "OpenDialog1")->nameFilters(),
             QStringList({kBitmapFilter, kJpegFilter}));
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.cancel(kJpegFilter, elsewhere.path());
    dialog.cancel();
    named<QPushButton>(*m_form, "AddPicture")->click();
    named<QPushButton>(*m_form, "AddPicture")->click();
    QCOMPARE(boxes.texts(), QStringList(2, QStringLiteral("No picture is added")));
    QCOMPARE(dialog.shown.size(), 2);
    // The second opening looks as the first did.
    QCOMPARE(dialog.shown[1].filter, kBitmapFilter);
    QCOMPARE(canonical(dialog.shown[1].directory), canonical(m_pictures->path()));
    QCOMPARE(canonical(dialog.shown[0].directory), canonical(m_pictures->path()));
    QCOMPARE(canonical(QDir::currentPath()), canonical(m_pictures->path()));
}

void TestAddPicture::cancelShowsMessageAndRefreshes() {
    const QByteArray photo = jpegFile({40, 30});
    const qint64 first = m_fixture->addItem(QStringLiteral("Lamp"), photo);
    const qint64 second = m_fixture->addItem(QStringLiteral("Ladder"));
    openForm();
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    QVERIFY(page->NoPicture1->isHidden());
    // The grid moves without a refresh: the page still shows Lamp's picture.
    page->DBGrid1->setCurrentIndex(page->DBGrid1->model()->index(1, 1));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->currentIndex(), 1);
    QVERIFY(page->NoPicture1->isHidden());
    page->Edit1->setText(QStringLiteral("typed"));

    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.cancel();
    page->AddPicture->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("No picture is added")});
    QCOMPARE(boxes.boxes().constFirst().title, QStringLiteral("Hearthledger"));
    QCOMPARE(boxes.boxes().constFirst().icon, QMessageBox::NoIcon);
    // The refresh and the count ran as usual, and nothing was stored.
    QVERIFY(!page->NoPicture1->isHidden());
    QCOMPARE(page->Edit1->text(), QStringLiteral("2"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(storedPhoto(first), photo);
    QVERIFY(storedPhoto(second).isNull());
}

void TestAddPicture::insertThenAddPicturePostsTheNewRecord() {
    for (const char *name : {"Lamp", "Ladder", "Kettle"})
        m_fixture->addItem(QString::fromLatin1(name));
    const QByteArray photo = jpegFile({50, 40});
    writeFile(pic(QStringLiteral("clock.jpg")), photo);
    openForm();
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    QCOMPARE(page->Edit1->text(), QStringLiteral("3"));
    page->DBNavigator1->clickButton(DBNavigator::nbInsert);
    page->DBEdit2->setFocus();
    QTest::keyClicks(page->DBEdit2, QStringLiteral("Attic"));
    page->DBEdit3->setFocus();
    QTest::keyClicks(page->DBEdit3, QStringLiteral("Clock"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Insert);

    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(QStringLiteral("clock.jpg")));
    page->AddPicture->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(page->Edit1->text(), QStringLiteral("4"));
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT COUNT(*) FROM \"Household Inventory\"")),
             QVariant(qlonglong(4)));
    const qint64 key =
        m_fixture
            ->scalar(QStringLiteral("SELECT max(\"Household ID\") FROM \"Household Inventory\""))
            .toLongLong();
    QCOMPARE(m_fixture
                 ->scalar(QStringLiteral("SELECT \"Room ID\" || '/' || \"Item Name\" FROM "
                                         "\"Household Inventory\" WHERE \"Household ID\" = ?"),
                          {key})
                 .toString(),
             QStringLiteral("Attic/Clock"));
    QCOMPARE(storedPhoto(key), photo);
    QCOMPARE(page->ADOImage1->picture().size(), QSize(50, 40));
    QCOMPARE(page->DBEdit1->text(), QString::number(key));
}

void TestAddPicture::emptyTableGetsRecordWithOnlyThePicture_data() {
    QTest::addColumn<Page>("page");
    QTest::newRow("Household Items") << Page::Household;
    QTest::newRow("People") << Page::People;
}

void TestAddPicture::emptyTableGetsRecordWithOnlyThePicture() {
    QFETCH(Page, page);
    const QString table =
        page == Page::Household ? QStringLiteral("Household Inventory") : QStringLiteral("People");
    const QByteArray photo = jpegFile({20, 20});
    writeFile(pic(QStringLiteral("a.jpg")), photo);
    openForm(page);
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(QStringLiteral("a.jpg")));
    if (page == Page::Household)
        named<QPushButton>(*m_form, "AddPicture")->click();
    else
        named<QPushButton>(*m_form, "AddImage")->click();
    QCOMPARE(boxes.texts(), QStringList());

    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)),
             QVariant(qlonglong(1)));
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Photograph\" FROM \"%1\"").arg(table))
                 .toByteArray(),
             photo);
    // Every other column but the automatic key is empty.
    data::TableObject *t = page == Page::Household ? named<data::TableObject>(*m_form, "ADOTable1")
                                                   : named<data::TableObject>(*m_form, "ADOTable2");
    for (data::Field *field : t->fields()) {
        if (field->isBlob())
            QCOMPARE(field->blobSize(), qint64(photo.size()));
        else if (field->isReadOnly())
            QCOMPARE(field->value(), QVariant(qlonglong(1)));
        else
            QVERIFY2(field->isNull(), qPrintable(field->columnName()));
    }
    QLineEdit *count = page == Page::Household ? named<QLineEdit>(*m_form, "Edit1")
                                               : named<QLineEdit>(*m_form, "Edit2");
    QCOMPARE(count->text(), QStringLiteral("1"));
    widgets::PictureView *small = page == Page::Household
                                      ? named<widgets::PictureView>(*m_form, "ADOImage1")
                                      : named<widgets::PictureView>(*m_form, "PeopleImage1");
    QCOMPARE(small->picture().size(), QSize(20, 20));
}

void TestAddPicture::existingJpegIsOverwritten() {
    const qint64 key = m_fixture->addItem(QStringLiteral("Lamp"));
    writeFile(pic(QStringLiteral("a.bmp")), defaultBitmap());
    writeFile(pic(QStringLiteral("a.JPG")), QByteArray(5000, 'x'));
    openForm();
    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(QStringLiteral("a.bmp")));
    named<QPushButton>(*m_form, "AddPicture")->click();
    QCOMPARE(boxes.texts(), QStringList());
    const QByteArray written = readFile(pic(QStringLiteral("a.JPG")));
    QVERIFY(written.startsWith("\xFF\xD8"));
    QVERIFY(!written.contains("xxxx"));
    QCOMPARE(storedPhoto(key), written);
}

void TestAddPicture::failuresStoreNothing_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("plainName"); // the message names the file without its folder
    QTest::newRow("bitmap missing") << "missing.bmp"
                                    << ""
                                    << "Cannot open file %1." << true;
    QTest::newRow("bitmap in a missing folder") << "nowhere/house.bmp"
                                                << "decoy"
                                                << "Cannot open file %1." << true;
    QTest::newRow("bitmap not valid") << "bad.bmp"
                                      << "garbage"
                                      << "Bitmap image is not valid." << false;
    QTest::newRow("bitmap cut short") << "short.bmp"
                                      << "cut"
                                      << "Bitmap image is not valid." << false;
    QTest::newRow("JPEG cannot be created") << "house.bmp"
                                            << "blocked"
                                            << "Cannot create file house.JPG." << false;
    QTest::newRow("file to store missing") << "gone.jpg"
                                           << ""
                                           << "Cannot open file %1." << false;
    QTest::newRow("engine refuses the post") << "photo.jpg"
                                             << "trigger"
                                             << "photographs are frozen" << false;
}

void TestAddPicture::failuresStoreNothing() {
    QFETCH(QString, chosen);
    QFETCH(QString, setup);
    QFETCH(QString, error);
    QFETCH(bool, plainName);
    const QByteArray first = jpegFile({40, 30}, 3);
    m_fixture->addItem(QStringLiteral("Lamp"), first);
    const qint64 ladder = m_fixture->addItem(QStringLiteral("Ladder"));
    if (setup == QLatin1String("garbage"))
        writeFile(pic(chosen), QByteArray("BM this is not a bitmap at all"));
    if (setup == QLatin1String("cut"))
        writeFile(pic(chosen), defaultBitmap().left(60));
    if (setup == QLatin1String("blocked")) {
        writeFile(pic(chosen), defaultBitmap());
        QVERIFY(QDir(m_pictures->path()).mkdir(QStringLiteral("house.JPG")));
    }
    if (setup == QLatin1String("decoy")) {
        // The working directory holds a bitmap of the same name.
        writeFile(pic(QFileInfo(chosen).fileName()), defaultBitmap());
        QVERIFY(QDir::setCurrent(m_pictures->path()));
    }
    if (setup == QLatin1String("trigger")) {
        writeFile(pic(chosen), jpegFile({10, 10}));
        m_fixture->exec(
            QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON \"Household Inventory\" BEGIN "
                           "SELECT RAISE(ABORT, 'photographs are frozen'); END"));
    }
    const QStringList filesBefore = QDir(m_pictures->path()).entryList(QDir::AllEntries);

    openForm();
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    // On Ladder through the grid: the page still shows Lamp's picture.
    page->DBGrid1->setCurrentIndex(page->DBGrid1->model()->index(1, 1));
    page->Edit1->setText(QStringLiteral("typed"));

    ModalAnswerer boxes;
    DialogScript dialog(boxes);
    dialog.choose(pic(chosen));
    page->AddPicture->click();

    QCOMPARE(boxes.texts().size(), 1);
    const QString expected = error.contains(QLatin1String("%1"))
                                 ? error.arg(plainName ? QFileInfo(chosen).fileName() : pic(chosen))
                                 : error;
    QVERIFY2(boxes.lastText().contains(expected), qPrintable(boxes.lastText()));
    QCOMPARE(boxes.boxes().constFirst().icon, QMessageBox::Critical);
    QVERIFY(storedPhoto(ladder).isNull());
    QCOMPARE(QDir(m_pictures->path()).entryList(QDir::AllEntries), filesBefore);
    // Neither the picture nor the count was refreshed.
    QVERIFY(page->NoPicture1->isHidden());
    QCOMPARE(page->ADOImage1->picture().size(), QSize(40, 30));
    QCOMPARE(page->Edit1->text(), QStringLiteral("typed"));
    if (setup == QLatin1String("trigger")) {
        // The record stays in edit with the picture set but not written.
        QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
                 data::TableObject::State::Edit);
        QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")
                     ->fieldByName(QStringLiteral("Photograph"))
                     ->blobSize(),
                 qint64(readFile(pic(chosen)).size()));
    } else {
        QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
                 data::TableObject::State::Browse);
        QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")
                     ->fieldByName(QStringLiteral("Photograph"))
                     ->blobSize(),
                 qint64(0));
    }
}

void TestAddPicture::storesOnlyRegularFilesUpToTheLimit_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error"); // %1: the path; empty: stored
    QTest::newRow("named pipe") << "pipe"
                                << "Cannot open file %1";
    QTest::newRow("endless device") << "/dev/zero"
                                    << "Cannot open file %1";
    QTest::newRow("folder") << "folder"
                            << "Cannot open file %1";
    QTest::newRow("over the limit") << "huge"
                                    << "File %1 is too large: a picture may hold at most 1 GB";
    QTest::newRow("link to a photo") << "link"
                                     << "";
}

void TestAddPicture::storesOnlyRegularFilesUpToTheLimit() {
    QFETCH(QString, kind);
    QFETCH(QString, error);
    const qint64 key = m_fixture->addItem(QStringLiteral("Lamp"));
    const QByteArray photo = jpegFile({24, 16});
    writeFile(pic(QStringLiteral("photo.jpg")), photo);
    QString chosen = kind.startsWith(QLatin1Char('/')) ? kind : pic(kind + QStringLiteral(".jpg"));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(chosen).constData(), 0600), 0);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_pictures->path()).mkdir(QStringLiteral("folder.jpg")));
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(pic(QStringLiteral("photo.jpg")), chosen));
    if (kind == QLatin1String("huge")) {
        // Sparse: takes no room on disk, and must not be read.
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(platform::kMaxPictureFileSize + 1));
    }

    const auto connection = m_fixture->connect();
    data::TableObject table;
    table.setConnection(connection.get());
    table.setTableName(QStringLiteral("Household Inventory"));
    table.open();
    data::Field *photograph = table.fieldByName(QStringLiteral("Photograph"));
    ModalAnswerer boxes;
    QString reported;
    try {
        records::PictureCommands::SaveJpegToTable(&table, photograph, chosen);
    } catch (const core::Error &e) {
        reported = e.text();
    }
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(reported, error.isEmpty() ? QString() : error.arg(chosen));
    QCOMPARE(table.state(), data::TableObject::State::Browse);
    QCOMPARE(storedPhoto(key), error.isEmpty() ? photo : QByteArray());
}

QTEST_MAIN(TestAddPicture)
#include "tst_addpicture.moc"
