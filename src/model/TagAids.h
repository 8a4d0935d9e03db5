// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class EditorControl;
class PageModelBuilder;
class QAction;
class QWidget;

// The editing aids that know the page: the partner of the tag under the caret boxed (and a jump
// to it), an end tag written after a typed start tag's ">", "</" completed to the innermost open
// element's end tag, a start tag's name renamed with its end tag's (and the other way round) in
// the same change, and lists of element names, attributes and character references. They act
// on the user's keys only: text the program writes never sets them off. Each can be turned off;
// the choice is remembered.
class TagAids : public QObject
{
    Q_OBJECT

public:
    enum Aid { PairedTags, AutoClose, LinkedRename, Completion, AidCount };

    TagAids(EditorControl &r1, PageModelBuilder &builder, QObject *parent = nullptr);

    bool isEnabled(Aid aid) const { return m_enabled[aid]; }
    void setEnabled(Aid aid, bool on);

    // Checkable actions that turn the aids on and off, and the jump and completion commands
    // (Ctrl+M, Ctrl+Space), for a menu; owned by this object.
    QAction *toggleAction(Aid aid) const { return m_toggles[aid]; }
    QAction *jumpAction() const { return m_jump; }
    QAction *completeAction() const { return m_complete; }

public slots:
    // Moves the caret to the name of the partner of the tag whose name holds the caret.
    void jumpToPartner();
    // Offers what fits at the caret: attributes inside a start tag, character references after
    // "&", element names after "<" or a typed word, and the tag reference's tags in text.
    void complete();
    // Boxes the tag under the caret and its partner; called after caret moves and new models.
    void updatePartner();

private:
    enum class ChoiceKind { None, Element, NewElement, ReferenceTag, Attribute, Reference };
    struct Range {
        int offset = -1;
        int length = 0;
        bool contains(int start, int end) const { return offset >= 0 && start >= offset && end <= offset + length; }
    };

    void userEdited();
    // Writes into the document for the user (m_writing), keeping the end tags ahead in step.
    void write(int offset, int removed, const QString &inserted);
    // Moves the end tags written ahead past an edit; drops those the edit touches.
    void followEdit(int offset, int removed, int inserted);
    // Typing over an end tag written ahead; true when the typed character was taken as its own.
    bool typeThrough(int offset, QChar typed);
    void choiceMade(const QString &choice);
    bool mirrorRename(int offset, int removed, const QString &inserted);
    void closeStartTag(int offset);
    void completeEndTag(int offset);
    void offer(ChoiceKind kind, int typedStart);
    // The start tag whose "<" begins before offset and that is still open there: its "<", or -1.
    int openStartTagBefore(int offset, QString *name) const;
    bool inComment(int offset) const;
    bool inCommentOrRawText(int offset) const;

    EditorControl &m_r1;
    PageModelBuilder &m_builder;
    bool m_enabled[AidCount];
    QAction *m_toggles[AidCount];
    QAction *m_jump;
    QAction *m_complete;
    // The names of the tag under the caret and of its partner, in the text as it is now.
    Range m_link[2];
    // End tags written ahead of the caret by auto-close. A user who types the end tag anyway types
    // over them ("</" in front of one, then its name and ">"), rather than writing it twice.
    QList<Range> m_endTagsAhead;
    // The end tag being typed over, once "</" was typed in front of it, and how much of it the
    // user has typed.
    Range m_typingOver;
    int m_typedOver = 0;
    ChoiceKind m_choiceKind = ChoiceKind::None;
    int m_choiceStart = 0;
    bool m_writing = false;
};
