// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawTree.h"
#include "Watchdog.h"
#include "WriteLock.h"

#include "text/FileIo.h"
#include "support/ReadBack.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

QByteArray native(const QString &path)
{
    return FileIo::encodeName(path);
}

bool writeRaw(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

QByteArray readRaw(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QByteArrayLiteral("(unreadable)");
    QByteArray bytes;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
}

// A name as FileIo decodes it: each byte of latin1 from 0x80 up stands escaped.
QString escaped(const char *latin1)
{
    QString text;
    for (const char *c = latin1; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        text += byte < 0x80 ? QChar(byte) : QChar(static_cast<char16_t>(0xDC00 + byte));
    }
    return text;
}

struct stat statOf(const QByteArray &path)
{
    struct stat status = {};
    ::lstat(path.constData(), &status);
    return status;
}

// bytes handed over in pieces of pieceSize, as a save streams them; taken counts the pieces
// given. announced is the size the source claims, bytes.size() unless a row lies.
ByteSource inPieces(const QByteArray &bytes, qsizetype pieceSize, int &taken, qint64 announced = -1)
{
    return {announced < 0 ? bytes.size() : announced, [bytes, pieceSize, &taken, at = qsizetype(0)](QByteArray &piece) mutable {
                if (at >= bytes.size())
                    return false;
                piece = bytes.sliced(at, std::min(pieceSize, bytes.size() - at));
                at += piece.size();
                ++taken;
                return true;
            }};
}

// A path longer than the system takes (4096 bytes), and a name longer than a folder takes.
QString tooLongPath(const QString &folder)
{
    return folder + QStringLiteral("/%1/page.htm").arg(QString(4200, u'd'));
}

} // namespace

// A folder of special files: pipes, sockets, device nodes, links that loop or lead nowhere.
class SpecialFiles
{
public:
    SpecialFiles()
    {
        QVERIFY(::mkfifo(native(path("pipe.htm")).constData(), 0644) == 0);
        QVERIFY(QFile::link(path("pipe.htm"), path("link-to-pipe.htm")));
        QVERIFY(QFile::link(path("loop-b.htm"), path("loop-a.htm")));
        QVERIFY(QFile::link(path("loop-a.htm"), path("loop-b.htm")));
        QVERIFY(QFile::link(path("missing.htm"), path("dangling.htm")));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder.htm")));
        QVERIFY(writeRaw(native(path("file.htm")), "<p>file</p>"));
        m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = native(path("socket.htm"));
        QVERIFY(socketPath.size() < static_cast<qsizetype>(sizeof address.sun_path));
        std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
        QVERIFY(::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        // A node for the null device, so that no test ever aims a save at the system's own.
        m_device = ::mknod(native(path("device.htm")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    }

    ~SpecialFiles() { ::close(m_socket); }

    SpecialFiles(const SpecialFiles &) = delete;
    SpecialFiles &operator=(const SpecialFiles &) = delete;

    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }

    // The path a table row names: a file of the folder, a system path, or a built one.
    QString resolve(const QString &name) const
    {
        if (name.startsWith(u'/'))
            return name;
        if (name == QLatin1String("too long"))
            return tooLongPath(folder.path());
        if (name == QLatin1String("name too long"))
            return folder.filePath(QString(300, u'n'));
        if (name == QLatin1String("through a file"))
            return path("file.htm") + QStringLiteral("/page.htm");
        return folder.filePath(name);
    }

    bool hasDevice() const { return m_device; }

    QTemporaryDir folder;

private:
    int m_socket = -1;
    bool m_device = false;
};

class tst_FileIo : public QObject
{
    Q_OBJECT

private slots:
    void namesKeepEveryByte_data();
    void namesKeepEveryByte();
    void argumentsBecomeAbsolutePaths_data();
    void argumentsBecomeAbsolutePaths();
    void listsFoldersWithAnyNames();
    void readRefusesWhatIsNoRegularFile_data();
    void readRefusesWhatIsNoRegularFile();
    void readStopsAtTheSizeLimit();
    void saveRefusesWhatIsNoRegularFile_data();
    void saveRefusesWhatIsNoRegularFile();
    void saveKeepsWhatTheFileWas_data();
    void saveKeepsWhatTheFileWas();
    void saveThatDoesNotFitChangesNothing_data();
    void saveThatDoesNotFitChangesNothing();
    void saveOfPiecesOtherThanAnnouncedFails_data();
    void saveOfPiecesOtherThanAnnouncedFails();
    void saveCreatesAndRefusesMissingFiles();
};

void tst_FileIo::namesKeepEveryByte_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("ascii") << QByteArray("/tmp/page.htm") << QStringLiteral("/tmp/page.htm");
    QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9 \xE4\xBD\xA0 \xF0\x9F\x98\x80")
                           << QStringLiteral("caf\u00e9 \u4f60 \U0001F600");
    QTest::newRow("latin-1 byte") << QByteArray("caf\xE9.htm") << escaped("caf\xE9.htm");
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << escaped("\xC0\xAF");
    // The UTF-8 form of an escape itself must not decode to it, or two names would meet.
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xB3\xA9") << escaped("\xED\xB3\xA9");
    QTest::newRow("cut short") << QByteArray("a\xE4\xBD") << escaped("a\xE4\xBD");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << escaped("\xF4\x90\x80\x80");
    QTest::newRow("lone continuation") << QByteArray("\x80x") << escaped("\x80x");
    QTest::newRow("every high byte") << [] {
        QByteArray all;
        for (int b = 0x80; b <= 0xFF; ++b)
            all += static_cast<char>(b);
        return all;
    }() << QString();
}

void tst_FileIo::namesKeepEveryByte()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, decoded);

    const QString text = FileIo::decodeName(name);
    if (!decoded.isEmpty())
        QCOMPARE(text, decoded);
    QCOMPARE(FileIo::encodeName(text), name);
    QVERIFY(!FileIo::displayName(text).contains(QChar(0xDCE9)));
}

void tst_FileIo::argumentsBecomeAbsolutePaths_data()
{
    QTest::addColumn<QByteArray>("argument");
    QTest::addColumn<QByteArray>("expected"); // "~" stands for the current folder

    QTest::newRow("absolute") << QByteArray("/srv/www/index.htm") << QByteArray("/srv/www/index.htm");
    QTest::newRow("relative") << QByteArray("page.htm") << QByteArray("~/page.htm");
    QTest::newRow("dot and doubled slash") << QByteArray("./sub//page.htm") << QByteArray("~/sub/page.htm");
    QTest::newRow("dot-dot kept") << QByteArray("../x/page.htm") << QByteArray("~/../x/page.htm");
    QTest::newRow("not utf-8") << QByteArray("/tmp/caf\xE9.htm") << QByteArray("/tmp/caf\xE9.htm");
}

void tst_FileIo::argumentsBecomeAbsolutePaths()
{
    QFETCH(QByteArray, argument);
    QFETCH(QByteArray, expected);

    char *current = ::getcwd(nullptr, 0);
    expected.replace("~", current);
    std::free(current);
    QCOMPARE(FileIo::encodeName(FileIo::pathFromArgument(argument.constData())), expected);
}

void tst_FileIo::listsFoldersWithAnyNames()
{
    QTemporaryDir dir;
    const RawTree rawTree(dir);
    const QByteArray root = native(dir.path());
    QVERIFY(writeRaw(root + "/caf\xE9.htm", "latin"));
    QVERIFY(writeRaw(root + "/B.htm", "b"));
    QVERIFY(writeRaw(root + "/a.htm", "a"));
    QVERIFY(writeRaw(root + "/.hidden.htm", "hidden"));
    QVERIFY(::mkdir((root + "/d\xFF").constData(), 0755) == 0);
    QVERIFY(::symlink("d\xFF", (root + "/link-to-folder").constData()) == 0);

    QStringList names;
    QStringList folders;
    for (const FileIo::FolderEntry &entry : FileIo::listFolder(dir.path())) {
        names << entry.name;
        if (entry.folder)
            folders << entry.name;
    }
    QCOMPARE(names, (QStringList{QStringLiteral("a.htm"), QStringLiteral("B.htm"), escaped("caf\xE9.htm"), escaped("d\xFF"),
                                 QStringLiteral("link-to-folder")}));
    QCOMPARE(folders, (QStringList{escaped("d\xFF"), QStringLiteral("link-to-folder")}));
    QVERIFY(FileIo::isFolder(dir.filePath(escaped("d\xFF"))));

    QCOMPARE(readBack(dir.filePath(escaped("caf\xE9.htm"))), QByteArray("latin"));
    QCOMPARE(FileIo::listFolder(dir.filePath(QStringLiteral("missing"))).size(), 0);
}

void tst_FileIo::readRefusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("named pipe") << QStringLiteral("pipe.htm") << QStringLiteral("named pipe (FIFO)");
    QTest::newRow("link to a named pipe") << QStringLiteral("link-to-pipe.htm") << QStringLiteral("named pipe (FIFO)");
    QTest::newRow("socket") << QStringLiteral("socket.htm") << QStringLiteral("socket");
    QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero") << QStringLiteral("character device");
    QTest::newRow("/dev/urandom") << QStringLiteral("/dev/urandom") << QStringLiteral("character device");
    QTest::newRow("/dev/null") << QStringLiteral("/dev/null") << QStringLiteral("character device");
    QTest::newRow("folder") << QStringLiteral("folder.htm") << QStringLiteral("folder");
    QTest::newRow("symlink loop") << QStringLiteral("loop-a.htm") << QStringLiteral("loop of symbolic links");
    QTest::newRow("dangling link") << QStringLiteral("dangling.htm") << QStringLiteral("link to a file that does not exist");
    QTest::newRow("missing") << QStringLiteral("missing.htm") << QStringLiteral("does not exist");
    QTest::newRow("path over 4096 bytes") << QStringLiteral("too long") << QStringLiteral("too long");
    QTest::newRow("name over 255 bytes") << QStringLiteral("name too long") << QStringLiteral("too long");
    QTest::newRow("file used as a folder") << QStringLiteral("through a file") << QStringLiteral("not a folder");
}

void tst_FileIo::readRefusesWhatIsNoRegularFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    SpecialFiles files;
    const Watchdog watchdog("reading a special file");
    FileReader reader(files.resolve(name), qint64(1) << 30);
    QVERIFY(!reader.isOpen());
    QVERIFY(!reader.tooLarge());
    char byte = 0;
    QCOMPARE(reader.read(&byte, 1), -1);
    QVERIFY2(reader.error().contains(reason), qPrintable(reader.error()));
}

void tst_FileIo::readStopsAtTheSizeLimit()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.htm"));
    QVERIFY(writeRaw(native(file), QByteArray(100, 'x')));

    QCOMPARE(readBack(file, 100), QByteArray(100, 'x'));

    // Too large when opened: not a byte is read, and the size says by how much.
    FileReader large(file, 99);
    QVERIFY(large.isOpen());
    QVERIFY(large.tooLarge());
    QCOMPARE(large.size(), 100);
    char piece[200];
    QCOMPARE(large.read(piece, sizeof piece), -1);
    // Once the limit is raised, as after the user agreed, the whole file is read.
    large.setSizeLimit(100);
    QCOMPARE(large.read(piece, sizeof piece), 100);
    QCOMPARE(large.read(piece, sizeof piece), 0);

    // A file that claims no size (as /proc files do) is held to the limit while it is read.
    FileReader claimsNoSize(QStringLiteral("/proc/self/status"), 64);
    QCOMPARE(claimsNoSize.size(), 0);
    QVERIFY(!claimsNoSize.tooLarge());
    qsizetype n = 0;
    while ((n = claimsNoSize.read(piece, 16)) > 0) {
    }
    QCOMPARE(n, -1);
    QVERIFY(claimsNoSize.tooLarge());
    QCOMPARE(readBack(QStringLiteral("/proc/self/status"), 64), QByteArray());
}

void tst_FileIo::saveRefusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("type"); // what must still stand there

    QTest::newRow("named pipe") << QStringLiteral("pipe.htm") << QStringLiteral("named pipe (FIFO)") << int(S_IFIFO);
    QTest::newRow("link to a named pipe") << QStringLiteral("link-to-pipe.htm") << QStringLiteral("named pipe (FIFO)")
                                          << int(S_IFLNK);
    QTest::newRow("socket") << QStringLiteral("socket.htm") << QStringLiteral("socket") << int(S_IFSOCK);
    QTest::newRow("device") << QStringLiteral("device.htm") << QStringLiteral("character device") << int(S_IFCHR);
    QTest::newRow("folder") << QStringLiteral("folder.htm") << QStringLiteral("folder") << int(S_IFDIR);
    QTest::newRow("symlink loop") << QStringLiteral("loop-a.htm") << QStringLiteral("loop of symbolic links") << int(S_IFLNK);
    QTest::newRow("path over 4096 bytes") << QStringLiteral("too long") << QStringLiteral("too long") << 0;
    QTest::newRow("file used as a folder") << QStringLiteral("through a file") << QStringLiteral("not a folder") << 0;
}

void tst_FileIo::saveRefusesWhatIsNoRegularFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QFETCH(int, type);

    SpecialFiles files;
    if (name == QLatin1String("device.htm") && !files.hasDevice())
        QSKIP("device nodes cannot be made here");
    const QString path = files.resolve(name);
    for (const bool mustExist : {true, false}) {
        const Watchdog watchdog("saving into a special file");
        const QString error = FileIo::writeFileAtomic(path, QByteArrayLiteral("<p>new</p>"), mustExist);
        QVERIFY2(error.contains(reason), qPrintable(error));
        if (type != 0)
            QCOMPARE(int(statOf(native(path)).st_mode & S_IFMT), type);
    }
    // Nothing was left behind either.
    QCOMPARE(QDir(files.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
             files.hasDevice() ? 9 : 8);
}

void tst_FileIo::saveKeepsWhatTheFileWas_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("inPlace"); // the same inode afterwards

    QTest::newRow("plain") << QStringLiteral("plain") << 0640u << false;
    QTest::newRow("read-only, saved by root") << QStringLiteral("root") << 0444u << false;
    QTest::newRow("setgid") << QStringLiteral("plain") << 02755u << false;
    QTest::newRow("setuid") << QStringLiteral("plain") << 04750u << false;
    QTest::newRow("another owner and group") << QStringLiteral("owner") << 0664u << false;
    QTest::newRow("hard link") << QStringLiteral("hard link") << 0600u << true;
    QTest::newRow("read-only folder") << QStringLiteral("read-only folder") << 0644u << true;
    QTest::newRow("through a symlink") << QStringLiteral("symlink") << 0640u << false;
    QTest::newRow("name not utf-8") << QStringLiteral("latin-1 name") << 0644u << false;
    QTest::newRow("extended attribute") << QStringLiteral("xattr") << 0644u << false;
}

void tst_FileIo::saveKeepsWhatTheFileWas()
{
    QFETCH(QString, setup);
    QFETCH(uint, mode);
    QFETCH(bool, inPlace);

    const bool root = ::getuid() == 0;
    if ((setup == QLatin1String("root") || setup == QLatin1String("owner")) && !root)
        QSKIP("needs root");
    QTemporaryDir dir;
    const RawTree rawTree(dir);
    const QByteArray folder = native(dir.path());
    const QByteArray file = folder + (setup == QLatin1String("latin-1 name") ? "/caf\xE9.htm" : "/page.htm");
    // Longer and shorter than the old text: an in-place write must cut the file to size.
    const QByteArray old("<p>the old text, longer than the new one</p>\r\n");
    const QByteArray fresh("<p>new</p>\r\n");
    QVERIFY(writeRaw(file, old));
    QVERIFY(::chmod(file.constData(), mode) == 0);
    if (setup == QLatin1String("owner"))
        QVERIFY(::chown(file.constData(), 4321, 8765) == 0);
    const QByteArray attribute("user.zorvane.test");
    if (setup == QLatin1String("xattr") && ::setxattr(file.constData(), attribute.constData(), "kept", 4, 0) != 0)
        QSKIP("this file system keeps no user attributes");
    QByteArray saveAs = file;
    if (setup == QLatin1String("hard link"))
        QVERIFY(::link(file.constData(), (folder + "/other-name.htm").constData()) == 0);
    if (setup == QLatin1String("symlink")) {
        saveAs = folder + "/link.htm";
        QVERIFY(::symlink("page.htm", saveAs.constData()) == 0);
    }
    const struct stat before = statOf(file);
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

    QString error;
    {
        // Root passes every permission check; the immutable attribute stands in for a folder
        // the user cannot write (see WriteLock), so the temporary file cannot be made there.
        std::unique_ptr<WriteLock> lock;
        if (setup == QLatin1String("read-only folder")) {
            lock = std::make_unique<WriteLock>(dir.path());
            if (!lock->ok())
                QSKIP("cannot make a folder unwritable here");
        }
        error = FileIo::writeFileAtomic(FileIo::decodeName(saveAs), fresh, true);
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const struct stat after = statOf(file);
    QCOMPARE(readRaw(file), fresh);
    QCOMPARE(after.st_mode & 07777, mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_ino == before.st_ino, inPlace);
    QCOMPARE(after.st_nlink, before.st_nlink);
    if (setup == QLatin1String("hard link"))
        QCOMPARE(readRaw(folder + "/other-name.htm"), fresh);
    if (setup == QLatin1String("symlink"))
        QVERIFY(S_ISLNK(statOf(saveAs).st_mode));
    if (setup == QLatin1String("xattr")) {
        char value[8] = {};
        QCOMPARE(::getxattr(file.constData(), attribute.constData(), value, sizeof value), ssize_t(4));
        QCOMPARE(QByteArray(value), QByteArray("kept"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), entries);
}

void tst_FileIo::saveThatDoesNotFitChangesNothing_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<int>("piecesBeforeFailure"); // the pieces the write takes before it fails

    // The replacement fails halfway through writing; the rewrite in place before it begins.
    QTest::newRow("replacement") << false << 5;
    QTest::newRow("in place") << true << 0;
}

void tst_FileIo::saveThatDoesNotFitChangesNothing()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(int, piecesBeforeFailure);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.htm"));
    const QByteArray old("<p>old</p>");
    QVERIFY(writeRaw(native(file), old));
    std::unique_ptr<WriteLock> lock;
    if (readOnlyFolder) {
        lock = std::make_unique<WriteLock>(dir.path());
        if (!lock->ok())
            QSKIP("cannot make a folder unwritable here");
    }

    // The file size limit stands in for a full disk: both refuse bytes beyond a point.
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    int taken = 0;
    const QString error = FileIo::writeFileAtomic(file, inPieces(QByteArray(8192, 'x'), 1024, taken), true);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    lock.reset();

    QVERIFY2(error.contains(QLatin1String("File too large")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("The file was not changed.")), qPrintable(error));
    QCOMPARE(taken, piecesBeforeFailure);
    QCOMPARE(readRaw(native(file)), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page.htm")});
}

void tst_FileIo::saveOfPiecesOtherThanAnnouncedFails_data()
{
    QTest::addColumn<QString>("kind"); // which writer
    QTest::addColumn<qint64>("announced");

    QTest::newRow("replacement, fewer") << QStringLiteral("replace") << qint64(9000);
    QTest::newRow("replacement, more") << QStringLiteral("replace") << qint64(3000);
    QTest::newRow("new file, fewer") << QStringLiteral("new") << qint64(9000);
    QTest::newRow("fresh file, more") << QStringLiteral("fresh") << qint64(3000);
}

void tst_FileIo::saveOfPiecesOtherThanAnnouncedFails()
{
    QFETCH(QString, kind);
    QFETCH(qint64, announced);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.htm"));
    const QByteArray old("<p>old</p>");
    if (kind == QLatin1String("replace"))
        QVERIFY(writeRaw(native(file), old));
    int taken = 0;
    const ByteSource source = inPieces(QByteArray(8192, 'x'), 1024, taken, announced);
    const QString error = kind == QLatin1String("fresh") ? FileIo::writeFileFresh(file, source)
                                                           : FileIo::writeFileAtomic(file, source, kind == QLatin1String("replace"));
    QVERIFY2(error.contains(QLatin1String("changed while it was being written")), qPrintable(error));
    QVERIFY(taken > 1);
    // The old file whole, or none; no temporary file left.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    if (kind == QLatin1String("replace")) {
        QCOMPARE(readRaw(native(file)), old);
        QCOMPARE(left, QStringList{QStringLiteral("page.htm")});
    } else {
        QCOMPARE(left, QStringList());
    }
}

void tst_FileIo::saveCreatesAndRefusesMissingFiles()
{
    QTemporaryDir dir;
    const RawTree rawTree(dir);
    const QString file = dir.filePath(escaped("new \xFF.htm"));
    const QString error = FileIo::writeFileAtomic(file, QByteArrayLiteral("<p>new</p>"), true);
    QVERIFY2(error.startsWith(QLatin1String("File not found: ")), qPrintable(error));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));

    // The mode comes from the umask, as for any new file.
    const mode_t mask = ::umask(022);
    QCOMPARE(FileIo::writeFileAtomic(file, QByteArrayLiteral("<p>new</p>"), false), QString());
    ::umask(mask);
    QCOMPARE(readRaw(native(file)), QByteArray("<p>new</p>"));
    QCOMPARE(statOf(native(file)).st_mode & 07777, 0644u);

    // A link to a file not there yet: the file is made where the link points.
    const QByteArray link = native(dir.filePath(QStringLiteral("link.htm")));
    QVERIFY(::symlink("target.htm", link.constData()) == 0);
    QCOMPARE(FileIo::writeFileAtomic(FileIo::decodeName(link), QByteArrayLiteral("<p>t</p>"), false), QString());
    QVERIFY(S_ISLNK(statOf(link).st_mode));
    QCOMPARE(readRaw(native(dir.filePath(QStringLiteral("target.htm")))), QByteArray("<p>t</p>"));
}

ZORVANE_TEST(tst_FileIo)
#include "tst_FileIo.moc"
