#include "app/Application.h"
#include "app/Lifetime.h"
#include "core/Error.h"
#include "tests/support/ModalAnswerer.h"

#include <QPointer>
#include <QtTest>

namespace {

// An object whose event handling throws, as a handler without a guard might.
class Thrower : public QObject {
public:
    bool event(QEvent *e) override {
        if (e->type() == QEvent::User)
            throw core::Error(QStringLiteral("Cannot create file a.JPG"));
        return QObject::event(e);
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void escapedErrorIsReportedAndTheProgramCarriesOn() {
        ModalAnswerer boxes;
        Thrower thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(boxes.texts(),
                     QStringList({"Cannot create file a.JPG.", "Cannot create file a.JPG."}));
        QCOMPARE(boxes.boxes()[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.boxes()[0].title, QStringLiteral("Hearthledger"));
    }

    void adoptedObjectsLiveUntilTheEnd() {
        QPointer<QObject> kept = new QObject;
        app::lifetime::adopt(kept);
        QCOMPARE(app::lifetime::adoptedCount(), 1);
        app::lifetime::destroyAdopted();
        QVERIFY(kept.isNull());
    }
};

int main(int argc, char *argv[]) {
    app::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
