#pragma once

#include "common/safefile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace Ui {
class Widget;
}
class FormNote;
class NoteList;
struct NoteRow;
class QTimer;
class SystemMessageReceiver;

// The notes program's manager: a window nobody sees, titled "Mirelka" so that
// the dock can reach it. It keeps every note as a row of its note list,
// rewrites the note file after each change and opens one note window per row.
class Widget : public QWidget
{
    Q_OBJECT
public:
    // Ends the process. Tests put a recorder in its place.
    using ExitFunction = std::function<void(int code)>;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    static QString noteFilePath();

    void setExitFunction(ExitFunction f) { m_exit = std::move(f); }
    NoteList *notes() const { return noteData; }
    FormNote *noteWindow(const QString &id) const { return m_notes.value(id); }
    // The row whose ID cell holds exactly `id`, or -1.
    int rowOf(const QString &id) const;
    bool isListening() const;
    // Whether stored notes are still waiting for their windows.
    bool isOpeningNotes() const;
    // Whether a change waits to be saved, and how often the file was written.
    bool isSavePending() const;
    int fileWrites() const { return m_writes; }
    // Whether the note's file would stay within what the next start reads
    // with that text in place of its own.
    bool textFits(const QString &id, const QString &html) const;

public slots:
    void OpenFile();
    void SaveFile();
    void clearIcoData();
    void createNote();
    void createSingleNote(int row);
    void CreateNew();
    void DetectionCreation();
    void onButton(QString id, QString b);
    void WindowStatus(QString id, int x, int y, int w, int h);
    void setText(QString id, QString text);
    void Style(QString id, QString text);
    void SendSystemMessage(QString object, QString content);
    // The end the dock asks for ("CloseMirelka") and a session's end: what
    // is not saved yet is saved, then the process ends.
    void saveAndQuit();

private:
    void initialize();
    bool isDirExist(const QString &fullPath);
    void keepFileAside(SafeFile::Why why);
    void writeFile();
    qint64 textBytes(const NoteRow &row) const;
    // What the file takes as the notes stand, with idTextBytes for the text of id.
    qint64 fileBytes(const QString &id = QString(), qint64 idTextBytes = 0) const;
    FormNote *noticeTarget() const;
    void notesOpened();
    void tellKeptFiles();
    bool systemMessage(quint32 dwData, const QString &text);
    QString newNoteId() const;
    bool makeIdsUnique();
    void showSaveFailure();
    void openNextNote();
    void quitToDock();
    void endProcess(int code);

    Ui::Widget *ui;
    NoteList *noteData; // the only store of the notes, in file order
    QHash<QString, FormNote *> m_notes;
    SystemMessageReceiver *m_receiver = nullptr;
    ExitFunction m_exit;
    QStringList m_toOpen;   // IDs of stored notes not open yet, in file order
    mutable QHash<QString, qint64> m_textBytes; // what each note's text takes in the file, by ID
    QTimer *m_saveGap = nullptr; // runs after a save; changes within it are saved at its end
    int m_writes = 0;
    QString m_addingBeside; // the note whose "Add" makes the note being made
    bool m_filling = false; // a note is being filled: its reports wait
    bool m_saveDue = false; // a save waits for the filling or the opening
    bool m_keptAside = false; // the file as it stands is kept as a ".bad" copy
    bool m_unsaved = false;   // the last save did not reach the disk
    bool m_opened = false;    // the stored notes have all been opened
    bool m_failureUntold = false; // a save failed before they were, to be told with the files kept aside
};
