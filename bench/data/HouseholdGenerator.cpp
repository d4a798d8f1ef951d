#include "bench/data/HouseholdGenerator.h"

#include "data/Error.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "tools/Preparer.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <jpeglib.h>
#include <sqlite3.h>

namespace {

const char *const kWords[] = {"Lamp",    "Chair",   "Table",   "Clock",  "Mirror", "Vase",
                              "Rug",     "Kettle",  "Radio",   "Camera", "Desk",   "Shelf",
                              "Guitar",  "Piano",   "Bicycle", "Ladder", "Drill",  "Saw",
                              "Blender", "Toaster", "Sofa",    "Bed",    "Quilt",  "Painting"};
const char *const kFirst[] = {"Ann",  "Bob",   "Carla", "David", "Eve",   "Frank", "Grace",
                              "Hugo", "Irene", "Jack",  "Karin", "Louis", "Maria", "Nils"};
const char *const kLast[] = {"Smith",  "Jones", "Miller", "Brown", "Garcia",
                             "Keller", "Novak", "Larsen", "Rossi", "Dubois"};

template <size_t N> QString pick(const char *const (&list)[N], std::mt19937_64 &rng) {
    return QString::fromLatin1(list[rng() % N]);
}

QString randomDate(std::mt19937_64 &rng) {
    const QDate date = QDate(1990, 1, 1).addDays(qint64(rng() % 12000));
    return date.toString(Qt::ISODate) + QStringLiteral("T00:00:00");
}

QString sentence(std::mt19937_64 &rng, int words) {
    QStringList parts;
    for (int i = 0; i < words; ++i)
        parts << pick(kWords, rng).toLower();
    return parts.join(QLatin1Char(' ')) + QLatin1Char('.');
}

void exec(sqlite3 *db, const char *sql) {
    data::Statement(db, QString::fromUtf8(sql)).exec();
}

} // namespace

QByteArray HouseholdGenerator::encode(int width, int height, quint64 seed, int quality) const {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(width) * 3);
    quint64 state = seed * 0x9E3779B97F4A7C15ULL + 1;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            const int base[3] = {x * 255 / width, y * 255 / height,
                                 (x + y) * 127 / (width + height)};
            for (int c = 0; c < 3; ++c) {
                const int noise = int((state >> (c * 8)) & 0x7F) - 64;
                row[size_t(x) * 3 + size_t(c)] =
                    static_cast<unsigned char>(std::clamp(base[c] + noise, 0, 255));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return bytes;
}

QByteArray HouseholdGenerator::photo(qint64 bytes, quint64 seed) {
    constexpr int quality = 95;
    if (m_bytesPerPixel == 0) {
        const QByteArray sample = encode(640, 480, 7, quality);
        m_bytesPerPixel = double(sample.size()) / (640.0 * 480.0);
    }
    const double pixels = double(bytes) / m_bytesPerPixel;
    const int width = std::max(16, int(std::sqrt(pixels * 4.0 / 3.0)));
    const int height = std::max(16, int(pixels / width));
    return encode(width, height, seed, quality);
}

void HouseholdGenerator::generate(const QString &directory,
                                  const std::function<void(const QString &)> &progress) {
    tools::PrepareOptions options;
    options.idiomFile = false;
    options.helpTexts = true;
    const QStringList written = tools::Preparer::prepare(directory, options);
    if (written.isEmpty())
        throw data::Error(QStringLiteral("%1 exists already").arg(directory));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(written.first()).constData(), &db, SQLITE_OPEN_READWRITE,
                    nullptr);
    exec(db, "PRAGMA synchronous=OFF");
    std::mt19937_64 rng(m_size.seed);
    std::uniform_int_distribution<qint64> photoBytes(m_size.photoMinBytes, m_size.photoMaxBytes);

    // Photographs: half on items, a third on people, the rest on private records.
    const int itemPhotos = m_size.photos / 2;
    const int peoplePhotos = m_size.photos / 3;
    const int privacyPhotos = m_size.photos - itemPhotos - peoplePhotos;
    quint64 photoSeed = m_size.seed * 100003;
    auto photoFor = [&](int index, int withPhoto, int rows) -> QVariant {
        if (withPhoto == 0 || index % std::max(1, rows / withPhoto) != 0 ||
            index / std::max(1, rows / withPhoto) >= withPhoto)
            return QVariant();
        return QVariant(photo(photoBytes(rng), ++photoSeed));
    };

    exec(db, "BEGIN");
    {
        progress(QStringLiteral("items"));
        data::Statement insert(
            db, QStringLiteral(
                    R"(INSERT INTO "Household Inventory" ("Room ID", "Item Name", "Item Type",)"
                    R"( "Description", "Manufacturer", "Mode lNumber", "Serial Number",)"
                    R"( "Date Purchased", "Place Purchased", "Purchase Price", "Insured",)"
                    R"( "Photograph") VALUES (?,?,?,?,?,?,?,?,?,?,?,?))"));
        for (int i = 0; i < m_size.items; ++i) {
            const QVariantList values{QStringLiteral("Room %1").arg(rng() % 12),
                                      QString(pick(kWords, rng) + QStringLiteral(" %1").arg(i)),
                                      pick(kWords, rng),
                                      sentence(rng, 8),
                                      QString(pick(kLast, rng) + QStringLiteral(" Ltd")),
                                      QStringLiteral("M-%1").arg(rng() % 100000),
                                      QStringLiteral("SN%1").arg(rng() % 100000000),
                                      randomDate(rng),
                                      QStringLiteral("Shop %1").arg(rng() % 500),
                                      qlonglong(rng() % 100000000),
                                      qlonglong(rng() % 2),
                                      photoFor(i, itemPhotos, m_size.items)};
            for (int v = 0; v < values.size(); ++v)
                insert.bind(v + 1, values[v]);
            insert.exec();
            sqlite3_reset(insert.handle());
            if (i % 10000 == 9999)
                progress(QStringLiteral("items %1").arg(i + 1));
        }
    }
    {
        progress(QStringLiteral("people"));
        data::Statement insert(
            db, QStringLiteral(
                    R"(INSERT INTO "People" ("Email Address", "Home Phone", "Work Phone",)"
                    R"( "Work Extension", "Cell Phone", "Fax Number", "Birthdate",)"
                    R"( "Date Last Talked To", "Nickname", "Notes", "Hobbies", "Photograph",)"
                    R"( "Title", "First Name", "Middle Ini", "Last Name", "Suffix"))"
                    R"( VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?))"));
        for (int i = 0; i < m_size.people; ++i) {
            const QString first = pick(kFirst, rng);
            const QVariantList values{
                QString(first.toLower() + QStringLiteral("%1@example.org").arg(i)),
                QStringLiteral("555-%1").arg(rng() % 10000),
                QStringLiteral("555-%1").arg(rng() % 10000),
                QString::number(rng() % 1000),
                QStringLiteral("0170-%1").arg(rng() % 10000000),
                QVariant(),
                randomDate(rng),
                randomDate(rng),
                first.left(3),
                sentence(rng, 30),
                sentence(rng, 5),
                photoFor(i, peoplePhotos, m_size.people),
                QStringLiteral("Mx"),
                first,
                QStringLiteral("Q"),
                pick(kLast, rng),
                QVariant()};
            for (int v = 0; v < values.size(); ++v)
                insert.bind(v + 1, values[v]);
            insert.exec();
            sqlite3_reset(insert.handle());
        }
    }
    {
        progress(QStringLiteral("diary"));
        data::Statement insert(db, QStringLiteral(R"(INSERT INTO "Diary" ("Notes") VALUES (?))"));
        for (int i = 0; i < m_size.diaryPages; ++i) {
            insert.bind(1, QString(QStringLiteral("{\\rtf1\\ansi ") + sentence(rng, 300) +
                                   QStringLiteral("\\par }")));
            insert.exec();
            sqlite3_reset(insert.handle());
        }
    }
    {
        progress(QStringLiteral("private records"));
        data::Statement insert(
            db, QStringLiteral(
                    R"(INSERT INTO "Privacy" ("Cash", "Account Name", "Account Number",)"
                    R"( "Security Name", "Security Symbol", "Security Type", "Shares Owned",)"
                    R"( "Jewelries", "Secret Place", "Policy Type", "Policy Number", "Notes",)"
                    R"( "Photograph") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?))"));
        for (int i = 0; i < m_size.privateRecords; ++i) {
            const QVariantList values{qlonglong(rng() % 1000000000),
                                      QString(pick(kLast, rng) + QStringLiteral(" Bank")),
                                      QString::number(rng() % 10000000000ULL),
                                      QString(pick(kWords, rng) + QStringLiteral(" Corp")),
                                      pick(kWords, rng).left(4).toUpper(),
                                      QStringLiteral("Stock"),
                                      double(rng() % 100000) / 7.0,
                                      sentence(rng, 4),
                                      sentence(rng, 3),
                                      QStringLiteral("Home"),
                                      QStringLiteral("P-%1").arg(rng() % 1000000),
                                      sentence(rng, 20),
                                      photoFor(i, privacyPhotos, m_size.privateRecords)};
            for (int v = 0; v < values.size(); ++v)
                insert.bind(v + 1, values[v]);
            insert.exec();
            sqlite3_reset(insert.handle());
        }
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}
