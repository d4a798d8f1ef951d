#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Fills a fresh Hearthledger.mdb with a large household: items, people, diary
// pages, private records and photographs that are real JPEG files.
struct HouseholdSize {
    int items = 100000;
    int people = 20000;
    int diaryPages = 5000;
    int privateRecords = 10000;
    int photos = 2000; // spread over items, people and private records
    qint64 photoMinBytes = 3000000;
    qint64 photoMaxBytes = 5000000;
    quint64 seed = 1;
};

class HouseholdGenerator {
public:
    explicit HouseholdGenerator(const HouseholdSize &size)
        : m_size(size) {}

    // Writes <directory>/Hearthledger.mdb (which must not exist yet).
    void generate(const QString &directory, const std::function<void(const QString &)> &progress);

    // A JPEG of noise over a colour gradient, about `bytes` long.
    QByteArray photo(qint64 bytes, quint64 seed);

private:
    QByteArray encode(int width, int height, quint64 seed, int quality) const;

    HouseholdSize m_size;
    double m_bytesPerPixel = 0;
};
