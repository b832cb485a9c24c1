#pragma once
#include <QPoint>
#include <QString>
#include <QWidget>

namespace Ui {
class FormCommonIcon;
}

// One icon of the dock bar. It never edits an icon table: it reports what
// happens to it by signals carrying its ID, and its owner acts.
class FormCommonIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormCommonIcon(QWidget *parent = nullptr);
    ~FormCommonIcon() override;

    void setIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                 const QString &name, const QString &icon, const QString &cl);
    void setIconSize(int magnified, int normal);
    void setSize(float s);
    void setDoubleClick(bool b) { m_doubleClick = b; }
    void setClickStyle(int x) { m_clickStyle = x; }

    QString id() const { return m_id; }
    QString iconClass() const { return m_class; }
    // Written directly by the owner while hover behaviour must stop.
    bool frozen = false;

public slots:
    void mouseIn();
    void restoreSize();

signals:
    void IconPosLeft();
    void IconWidth(QString ID, int w);
    void IconMouseIn(QString ID, QString types);
    void IconMouseMove(QString ID, QPoint p);
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    void IconOpen(QString ID);
    void MousePosition(int p);
    void IconMenu(QString ID, int x);
    void IconMove(QString ID, QPoint p, int w, int h, QString types);
    void SendDetectionExists(QString ID);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    bool horizontal() const { return m_edge == 0 || m_edge == 2; }

    Ui::FormCommonIcon *ui;
    QString m_id, m_name, m_iconPath, m_class;
    int m_edge = 2;
    float m_magnified = 0, m_magnifiedBase = 0, m_normal = 0, m_normalBase = 0;
    int m_clickStyle = 1;
    bool m_doubleClick = false;
    class QLabel *m_picture = nullptr;
};
