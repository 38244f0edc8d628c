// The title-bar glyphs, the menu icons and the program's icon are embedded, have the size their buttons, the
// menu and the desktop expect, and are drawn: something opaque on a transparent background.
#include <QImage>
#include <QTest>

class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void embeddedPicture_data();
    void embeddedPicture();
};

void tst_Pictures::embeddedPicture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    const QSize toolButton(16, 16);
    QTest::newRow("about") << ":/pictures/about.png" << toolButton;
    QTest::newRow("play") << ":/pictures/play.png" << toolButton;
    QTest::newRow("stop playing") << ":/pictures/stopplaying.png" << toolButton;
    QTest::newRow("stop recording") << ":/pictures/stoprecording.png" << toolButton;
    QTest::newRow("minimise") << ":/pictures/minimise.png" << QSize(13, 11);
    QTest::newRow("close") << ":/pictures/close.png" << QSize(10, 9);

    const int menuIconCount = 22;
    for (int index = 0; index < menuIconCount; ++index) {
        const QString name = QStringLiteral("menu%1.png").arg(index, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/pictures/") + name << QSize(16, 16);
    }

    for (const int size : {16, 32, 48, 128, 256}) {
        const QString name = QStringLiteral("icon%1.png").arg(size);
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/pictures/") + name << QSize(size, size);
    }
}

void tst_Pictures::embeddedPicture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" is missing or unreadable")));
    QCOMPARE(image.size(), size);

    int opaque = 0;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            opaque += alpha == 255 ? 1 : 0;
            transparent += alpha == 0 ? 1 : 0;
        }
    }
    QVERIFY2(opaque > 0, "the picture is blank");
    QVERIFY2(transparent > 0, "the picture has no transparent background");

    // Pixel art has its copy for screens scaled up: the same picture, every pixel doubled.
    if (path.contains(QLatin1String("icon")))
        return;
    const QImage doubled(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png")));
    QCOMPARE(doubled.size(), size * 2);
    QImage halved = doubled.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    halved.setDevicePixelRatio(image.devicePixelRatio());
    QCOMPARE(halved, image);
}

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
