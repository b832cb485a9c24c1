#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>

namespace Ui {
class FormNote;
}
class FormBar;
class FramelessHelper;
class QLabel;
class QMenu;
class QTimer;

// One sticky note: a frameless coloured window with a rich-text editor. It
// keeps nothing but its ID; every change goes to the manager as a signal.
class FormNote : public QWidget
{
    Q_OBJECT
public:
    explicit FormNote(QWidget *parent = nullptr);
    ~FormNote() override;

    void setNoteData(QString id, QString style, QString text, QString x, QString y, QString w,
                     QString h);
    QString id() const { return m_id; }
    // Whether the text given to setNoteData was more than a note holds (too
    // long, or rich text too deeply nested) and shows cut or unformatted.
    bool textWasCut() const { return m_textCut; }
    // The colour text of a style name, or an empty string for an unknown one.
    static QString styleColour(const QString &style);
    // The font the font dialog opens on for `font`: the face it really gets.
    static QFont dialogStartFont(const QFont &font);
    // The editor's context menu, made anew for each use; the caller deletes it.
    QMenu *createContextMenu();
    // A short message on the note, for three seconds unless said.
    void showNotice(const QString &text, int ms = 3000);
    // The message shown now, empty when none.
    QString noticeText() const;
    // Whether the note's rich text may take its place in the file, beside
    // the other notes (the manager counts them); an edit after which it may
    // not is taken back. Without one, only what a note holds alone counts.
    using TextCheck = std::function<bool(const QString &html)>;
    void setTextCheck(TextCheck check) { m_textCheck = std::move(check); }

signals:
    void onButtonS(QString id, QString b);
    void WindowStatus(QString id, int x, int y, int w, int h);
    void setText(QString id, QString text);
    void Style(QString id, QString text);

public slots:
    void onStyle(QString s);
    void onButton(QString b);
    void mCut();
    void mCopy();
    void mPaste();
    void mAdd();
    void mStyle();
    void mDelete();
    void systemClose();
    void setUpdateFont();
    void setInsertTextFont(QFont font);
    void setColor();
    void setFontSize9();
    void setFontSize12();
    void setFontSize14();
    void setFontSize16();
    void setFontSize18();
    void setFontSize22();
    void setFontSize26();
    void setFontSize30();
    void setFontSize36();
    void setFontSize42();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void chooseStyle(int n);
    void setFontSize(int points);
    void slideIn(QWidget *panel, int endY);
    bool cutToLimit();
    bool textFits(const QString &html) const;
    void takeBackLastEdit();
    void restoreAccepted();

    Ui::FormNote *ui;
    QString m_id;
    FormBar *m_bar = nullptr;
    FramelessHelper *m_helper = nullptr;
    QLabel *m_notice = nullptr;
    QTimer *m_noticeTimer = nullptr;
    bool m_textCut = false;
    int m_changedAt = 0;      // where the last edit put its text
    int m_changedChars = 0;   // and how much
    int m_changedRemoved = 0; // and how much it took away or formatted anew
    TextCheck m_textCheck;
    QString m_accepted;       // the text as last reported
    bool m_filling = false;   // setNoteData: the text is the file's own
    bool m_takingBack = false;
    bool m_restoring = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_textEdit_textChanged();
    void on_pushButtonStyle1_clicked();
    void on_pushButtonStyle2_clicked();
    void on_pushButtonStyle3_clicked();
    void on_pushButtonStyle4_clicked();
    void on_pushButtonStyle5_clicked();
    void on_pushButtonStyle6_clicked();
    void on_pushButtonStyle7_clicked();
    void on_pushButtonYes_clicked();
    void on_pushButtonNo_clicked();
    void on_closeMenuButton_clicked();
    void on_textEdit_customContextMenuRequested(const QPoint &pos);
};
