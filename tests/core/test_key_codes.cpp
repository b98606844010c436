#include "core/events/KeyCodes.h"

#include <QTest>

// The start button's key-down handler receives desktop key codes; only 32 starts and pauses, so
// no other key may map to 32.
class TestKeyCodes : public QObject {
    Q_OBJECT
private slots:
    void mapsKeys_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::newRow("space") << int(Qt::Key_Space) << 32;
        QTest::newRow("A") << int(Qt::Key_A) << 65;
        QTest::newRow("Z") << int(Qt::Key_Z) << 90;
        QTest::newRow("0") << int(Qt::Key_0) << 48;
        QTest::newRow("enter") << int(Qt::Key_Return) << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 27;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 9;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << 37;
        QTest::newRow("delete") << int(Qt::Key_Delete) << 46;
        QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << 0;
        QTest::newRow("exclamation mark") << int(Qt::Key_Exclam) << 0;
    }
    void mapsKeys()
    {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(keycodes::fromQtKey(qtKey), code);
    }

    void onlySpaceGivesThirtyTwo()
    {
        for (int key = 0; key <= 0x01ffffff; key += (key < 0x10000 ? 1 : 0x100))
            if (key != Qt::Key_Space)
                QVERIFY2(keycodes::fromQtKey(key) != keycodes::Space,
                         qPrintable(QString::number(key)));
    }
};

QTEST_APPLESS_MAIN(TestKeyCodes)
#include "test_key_codes.moc"
