// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RawTree.h"
#include "host/QtHostServices.h"
#include "support/TestMain.h"
#include "text/FileIo.h"
#include "text/FileReader.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes folder/relative by its bytes, its folders first; each file holds its own name. ENOENT
// or EILSEQ and the like when the file system refuses a name, 0 when made.
int makeRaw(const QByteArray &folder, const QByteArray &relative)
{
    const QList<QByteArray> parts = relative.split('/');
    QByteArray path = folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        path += '/' + parts.at(i);
        if (::mkdir(path.constData(), 0755) != 0 && errno != EEXIST)
            return errno;
    }
    path += '/' + parts.constLast();
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    const bool written = ::write(fd, relative.constData(), static_cast<size_t>(relative.size())) == relative.size();
    ::close(fd);
    return written ? 0 : EIO;
}

QByteArray readAll(const QString &path)
{
    FileReader reader(path, 1 << 20);
    QByteArray bytes;
    char piece[256];
    for (qsizetype n; (n = reader.read(piece, sizeof piece)) > 0;)
        bytes.append(piece, n);
    return bytes;
}

} // namespace

class tst_FileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void answerReachesNamesThatAreNotUtf8_data();
    void answerReachesNamesThatAreNotUtf8();
};

void tst_FileDialogs::answerReachesNamesThatAreNotUtf8_data()
{
    QTest::addColumn<QList<QByteArray>>("files");
    QTest::addColumn<QString>("typed");     // into the dialog's name field, as Qt shows the name
    QTest::addColumn<QByteArray>("chosen"); // the file the answer must name; empty: none can be

    QTest::newRow("utf-8 name") << QList<QByteArray>{"page.html"} << QStringLiteral("page.html") << QByteArray("page.html");
    QTest::newRow("name not utf-8") << QList<QByteArray>{"\xff\xfe.html", "page.html"} << QStringLiteral("\ufffd\ufffd.html")
                                    << QByteArray("\xff\xfe.html");
    QTest::newRow("folder and name not utf-8")
        << QList<QByteArray>{"\xff\xfe/\xff\xfe.html"} << QStringLiteral("\ufffd\ufffd/\ufffd\ufffd.html")
        << QByteArray("\xff\xfe/\xff\xfe.html");
    QTest::newRow("a real U+FFFD") << QList<QByteArray>{"\xef\xbf\xbd.html"} << QStringLiteral("\ufffd.html")
                                   << QByteArray("\xef\xbf\xbd.html");
    QTest::newRow("hidden name not utf-8") << QList<QByteArray>{".\xe9.htm"} << QStringLiteral(".\ufffd.htm")
                                           << QByteArray(".\xe9.htm");
    QTest::newRow("a new name") << QList<QByteArray>{"page.html"} << QStringLiteral("new \ufffd.html")
                                << QByteArray("new \xef\xbf\xbd.html");
    // Two names that Qt shows alike: the answer cannot say which was meant.
    QTest::newRow("names showing alike") << QList<QByteArray>{"\xff.html", "\xfe.html"} << QStringLiteral("\ufffd.html")
                                         << QByteArray();
    QTest::newRow("a real U+FFFD and a name showing like it")
        << QList<QByteArray>{"\xef\xbf\xbd.html", "\xff.html"} << QStringLiteral("\ufffd.html") << QByteArray();
}

// The real dialog, answered from a timer: Qt reads the folder itself and takes what is typed;
// the answer must name the file by its real bytes.
void tst_FileDialogs::answerReachesNamesThatAreNotUtf8()
{
    QFETCH(QList<QByteArray>, files);
    QFETCH(QString, typed);
    QFETCH(QByteArray, chosen);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const RawTree cleanup(dir);
    const QByteArray folder = QFile::encodeName(dir.path());
    for (const QByteArray &file : files) {
        const int error = makeRaw(folder, file);
        if (error == EILSEQ || error == EINVAL)
            QSKIP("the file system refuses names that are not UTF-8");
        QCOMPARE(error, 0);
    }

    QtHostServices host;
    bool dialogSeen = false;
    QString message;
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            // Typed into the name field, as a user would: selectFile leaves a field that has
            // the focus alone.
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(field);
            dialogSeen = true;
            if (dialog->directory().absolutePath() != dir.path())
                dialog->setDirectory(dir.path());
            field->setText(typed);
            // Accepting as the Open button does, through its checks of the answer.
            static_cast<QDialog *>(dialog)->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            message = box->text();
            box->accept();
        }
    });
    answering.start(10);
    // Ends a dialog that never got answered, so the test fails instead of waiting.
    QTimer::singleShot(10000, this, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    const std::optional<QString> answer = host.ShowOpen(QStringLiteral("Open"), QStringLiteral("All Files|*.*"));
    QVERIFY(dialogSeen);

    if (chosen.isEmpty()) {
        QVERIFY(!answer.has_value());
        QVERIFY2(message.contains(QLatin1String("show alike")), qPrintable(message));
        return;
    }
    QVERIFY(message.isEmpty());
    QVERIFY(answer.has_value());
    QCOMPARE(FileIo::encodeName(*answer), folder + '/' + chosen);
    // The program's reader opens that very file.
    if (files.contains(chosen))
        QCOMPARE(readAll(*answer), chosen);
}

ZORVANE_TEST(tst_FileDialogs)
#include "tst_FileDialogs.moc"
