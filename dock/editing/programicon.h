#pragma once
#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;

// The icon row made from a program file (an executable, a shortcut or a
// desktop entry) added by the user, for the bar, its menus and the launch pad.
namespace ProgramIcon {

// The size of a program's picture: the largest an icon is drawn, the bar's
// largest icon fully grown.
constexpr int PictureSize = 256;

struct Row
{
    QString icon;
    QString name;
    QString path;
    // Set when the file cannot be added; the text is the toast to show.
    QString refusal;
};

// The picture is saved into the "icon" folder under the program's name up to
// its first dot; a shortcut is copied into the "link" folder under a free
// name, so a second one of the same name keeps the first one's copy.
Row fromFile(const QString &filePath, const QPixmap &picture);

// The program dialog of "添加应用图标", standing over owner: the desktop's
// applications by name and picture; for any other file, a file dialog that
// opens in the user's applications folder with desktop entries first and
// offers the system's applications folders in its side bar. Empty when
// cancelled.
QStringList choose(QWidget *owner);

} // namespace ProgramIcon
