#pragma once
#include <QString>

class QImage;
class QPixmap;

// The "icon" folder of the settings folder, where customised, extracted and
// downloaded pictures are kept as PNG files.
namespace IconFolder {

QString path();
// path() + "/" + fileName
QString file(const QString &fileName);
// Writes the picture as a PNG (atomically, the folder made when missing).
// False when the picture is empty or the file could not be written.
bool savePng(const QImage &image, const QString &fileName);
bool savePng(const QPixmap &pixmap, const QString &fileName);

} // namespace IconFolder
