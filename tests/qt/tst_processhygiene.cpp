#include "processhygiene.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Qt keeps GLib's event loop exactly where a GTK platform theme could be loaded, and a user's own
// QT_NO_GLIB wins.
class ProcessHygieneTest : public QObject
{
    Q_OBJECT

private slots:
    void glibLoopOnlyForGtkThemes_data();
    void glibLoopOnlyForGtkThemes();
};

void ProcessHygieneTest::glibLoopOnlyForGtkThemes_data()
{
    QTest::addColumn<QStringList>("themes"); // plugin files, as FOLDER/platformthemes/NAME
    QTest::addColumn<QByteArray>("userSetting");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no theme folder") << QStringList{} << QByteArray() << QByteArray("1");
    QTest::newRow("another theme only")
        << QStringList{"a/libqxdgdesktopportal.so"} << QByteArray() << QByteArray("1");
    QTest::newRow("GTK theme in the second folder")
        << QStringList{"a/libqxdgdesktopportal.so", "b/libqgtk3.so"} << QByteArray()
        << QByteArray();
    QTest::newRow("user's own setting") << QStringList{} << QByteArray("0") << QByteArray("0");
}

void ProcessHygieneTest::glibLoopOnlyForGtkThemes()
{
    QFETCH(QStringList, themes);
    QFETCH(QByteArray, userSetting);
    QFETCH(QByteArray, expected);
    const QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString &theme : themes) {
        const QString folder = theme.section('/', 0, 0);
        QVERIFY(QDir(root.path()).mkpath(folder + "/platformthemes"));
        QFile plugin(root.filePath(folder + "/platformthemes/" + theme.section('/', 1)));
        QVERIFY(plugin.open(QIODevice::WriteOnly));
    }
    qunsetenv("QT_NO_GLIB");
    if (!userSetting.isNull())
        qputenv("QT_NO_GLIB", userSetting);

    ProcessHygiene::preferQtEventLoop({root.filePath("a"), root.filePath("b")});
    QCOMPARE(qgetenv("QT_NO_GLIB"), expected);
    qunsetenv("QT_NO_GLIB");
}

QTEST_GUILESS_MAIN(ProcessHygieneTest)
#include "tst_processhygiene.moc"
