// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/DocumentFiles.h"

#include "host/AppTitle.h"
#include "editor/EditorControl.h"
#include "text/DocumentEncoder.h"
#include "text/FileIo.h"
#include "text/FileReader.h"
#include "host/HostServices.h"

#include <QAction>

#include <memory>
#include <optional>

namespace {

// The name without its folder; pure text, so names that are not UTF-8 keep their bytes.
QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + (1 << 19)) >> 20);
}

// How much of the editor's text is encoded at a time: the encoded piece is at most twice this.
constexpr qint64 PieceSize = qint64(1) << 20;

// The editor's text encoded in format, read from the editor a piece at a time: each call puts
// the next encoded piece into piece and is false at the end, or when the text holds a character
// the format cannot store (failed, when given, is then set; a writer sees too few bytes). The
// editor must not change meanwhile.
std::function<bool(QByteArray &)> encodedPieces(const EditorControl &editor, const TextFormat &format, bool *failed = nullptr)
{
    struct Reading {
        explicit Reading(const TextFormat &f)
            : encoder(f)
        {
        }
        DocumentEncoder encoder;
        qint64 at = 0;
        bool done = false;
    };
    auto reading = std::make_shared<Reading>(format);
    return [&editor, reading, failed](QByteArray &piece) {
        piece.resize(0); // keeps the room of the last piece for this one
        // A piece of text can encode to nothing (a CR held back until the next piece).
        while (piece.isEmpty() && !reading->done) {
            bool ok = true;
            if (reading->at < editor.utf8Length()) {
                const QByteArrayView bytes = editor.utf8Piece(reading->at, PieceSize);
                reading->at += bytes.size();
                ok = reading->encoder.feed(bytes, piece);
            } else {
                reading->done = true;
                ok = reading->encoder.finish(piece);
            }
            if (!ok) {
                if (failed)
                    *failed = true;
                reading->done = true;
                return false;
            }
        }
        return !piece.isEmpty();
    };
}

// The size of the editor's text encoded in format, found by encoding it once; -1 when the text
// holds a character the format cannot store.
qint64 encodedSize(const EditorControl &editor, const TextFormat &format)
{
    bool failed = false;
    const std::function<bool(QByteArray &)> next = encodedPieces(editor, format, &failed);
    qint64 size = 0;
    QByteArray piece;
    while (next(piece))
        size += piece.size();
    return failed ? -1 : size;
}

} // namespace

DocumentFiles::DocumentFiles(EditorControl &r1, HostServices &host, QAction &saveCommand, WindowHooks hooks)
    : m_r1(r1)
    , m_host(host)
    , m_save(saveCommand)
    , m_hooks(std::move(hooks))
{
}

QString DocumentFiles::fileFilter()
{
    return QStringLiteral("HTML Documents|*.htm;*.html;*.HTM;*.HTML|All Files|*.*");
}

QString DocumentFiles::caption(const QString &name)
{
    return appTitle() + QStringLiteral(" - [") + FileIo::displayName(name) + u']';
}

bool DocumentFiles::unsavedChanges() const
{
    return m_save.isEnabled();
}

bool DocumentFiles::confirmDiscard(const QString &question)
{
    if (!unsavedChanges())
        return true;
    const int answer = m_host.MsgBox(question, HostServices::YesNoCancel | HostServices::Exclamation, QStringLiteral("Prompt"));
    if (answer == HostServices::Cancel)
        return false;
    if (answer == HostServices::Yes)
        return mnuSave_Click(); // a failed or cancelled save keeps the document
    return true;
}

void DocumentFiles::mnuNew_Click()
{
    if (!confirmDiscard(QStringLiteral("Save file before closing?")))
        return;
    format = TextFormat();
    m_hooks.resetDocument();
}

void DocumentFiles::mnuOpen_Click()
{
    if (!confirmDiscard(QStringLiteral("Save file before opening another?")))
        return;
    const std::optional<QString> path = m_host.ShowOpen(QStringLiteral("Open"), fileFilter());
    if (path)
        openDocument(*path);
}

bool DocumentFiles::openDocument(const QString &path)
{
    if (!openFile(path, fileNameOf(path)))
        return false;
    m_hooks.setCutCopyEnabled(false);
    return true;
}

std::unique_ptr<FileReader> DocumentFiles::openForReading(const QString &path)
{
    std::unique_ptr<FileReader> reader = m_host.openFile(path, DocumentSize::Comfortable);
    if (!reader->isOpen() || !reader->tooLarge() || reader->size() > DocumentSize::Maximum)
        return reader;
    // Asked before a byte is read: the memory is spent only once the user agrees.
    const int answer = m_host.MsgBox(
        QStringLiteral("%1 is a large file (%2 MB). Opening it takes about %3 MB of memory and may be slow.\r\n"
                       "Open it anyway?")
            .arg(FileIo::displayName(path), megabytes(reader->size()), megabytes(reader->size() * DocumentSize::MemoryPerByte)),
        HostServices::YesNo | HostServices::Exclamation, QStringLiteral("Prompt"));
    if (answer != HostServices::Yes)
        return nullptr;
    reader->setSizeLimit(DocumentSize::Maximum);
    return reader;
}

bool DocumentFiles::openFile(const QString &path, const QString &name)
{
    const std::unique_ptr<FileReader> reader = openForReading(path);
    if (!reader)
        return false; // the user chose not to open it
    const EditorControl::LoadResult loaded = m_r1.load(*reader);
    if (!loaded.ok) {
        const QString reason = reader->tooLarge()
                                   ? QStringLiteral("the file is too large (%1 MB); the editor opens files of up to %2 MB")
                                         .arg(megabytes(reader->size()), megabytes(DocumentSize::Maximum))
                                   : loaded.error;
        m_host.MsgBox(QStringLiteral("Cannot open %1:\r\n%2").arg(FileIo::displayName(path), reason),
                      HostServices::OkOnly | HostServices::Exclamation);
        return false;
    }
    format = loaded.format;
    SavedBefore = true;
    SavedBeforePath = path;
    m_hooks.setCaption(caption(name));
    m_save.setEnabled(false);
    emit fileOpened(path);
    return true;
}

bool DocumentFiles::agreeToUtf8()
{
    const int answer =
        m_host.MsgBox(QStringLiteral("The document holds characters that its file's encoding (Windows-1252) cannot store.\r\n"
                                     "Save it as UTF-8 instead?"),
                      HostServices::YesNo | HostServices::Exclamation, QStringLiteral("Prompt"));
    return answer == HostServices::Yes;
}

bool DocumentFiles::saveTo(const QString &path, bool mustExist)
{
    // The text is encoded twice, a piece at a time and never whole: once to learn its size and
    // whether the encoding can store it, before a byte of the file changes, and once as it is
    // written.
    TextFormat target = format;
    qint64 size = encodedSize(m_r1, target);
    if (size < 0) {
        // Never write a character as "?": the user chooses UTF-8 or keeps the text unsaved.
        if (!agreeToUtf8())
            return false;
        target.encoding = TextFormat::Encoding::Utf8;
        target.byteOrderMark = false;
        size = encodedSize(m_r1, target);
    }
    for (;;) {
        const QString error = m_host.writeFileAtomic(path, {size, encodedPieces(m_r1, target)}, mustExist);
        if (error.isEmpty()) {
            // Only a file that now holds the new encoding changes the remembered format.
            format = target;
            return true;
        }
        const int answer = m_host.MsgBox(QStringLiteral("The following error has ocurred : ") + error, HostServices::RetryCancel,
                                         QStringLiteral("Error"));
        if (answer != HostServices::Retry)
            return false;
    }
}

bool DocumentFiles::mnuSave_Click()
{
    if (SavedBefore) {
        if (!saveTo(SavedBeforePath, true))
            return false;
        m_save.setEnabled(false);
        emit fileSaved(SavedBeforePath);
        return true;
    }
    const std::optional<QString> path = m_host.ShowSave(QStringLiteral("Save As"), fileFilter());
    if (!path || !saveTo(*path, false))
        return false;
    SavedBefore = true;
    SavedBeforePath = *path;
    m_hooks.setCaption(caption(fileNameOf(*path)));
    m_save.setEnabled(false);
    emit fileSaved(*path);
    return true;
}

void DocumentFiles::mnuSaveAs_Click()
{
    const bool hadFile = SavedBefore;
    SavedBefore = false;
    // A Save As that wrote nothing leaves the document tied to its file, as it was.
    if (!mnuSave_Click())
        SavedBefore = hadFile;
}
