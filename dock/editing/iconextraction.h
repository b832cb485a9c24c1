#pragma once
#include "platform/peicons.h"

#include <QImage>
#include <QList>
#include <QString>

// Takes the pictures stored with a program: the icon resources of a Windows
// program file, or the icon-theme picture of a Linux program or desktop entry
// in each size the theme has. Every picture kept is written to the icon
// folder as <base><n>.png, n counting from 1.
class IconExtraction
{
public:
    enum Outcome {
        UseNote,   // nothing to take pictures from (a folder, or no target)
        NoPicture, // a file without usable pictures
        Pictures,  // `saved` files were written
    };

    // The standard sizes a Windows icon picture may have; others never count.
    static bool isStandardWidth(int w);

    Outcome run(const QString &appName);

    // The images a program file offers, before any is chosen or written.
    static QList<QImage> peImages(const QString &file, int *largest = nullptr);
    static QList<QImage> themeImages(const QString &file);
    // One picture of a program file, or a null image when the size it states
    // is past the cap of every picture, or it does not decode.
    static QImage decodeIcon(const platform::PeIcons::IconImage &icon);

    int largest = 0;
    int saved = 0;
    QString sourcePath;
    QString base;

    // prefix + n + ".png" is the n-th file written.
    QString prefix() const;
    QString file(int n) const;

private:
    void save(const QList<QImage> &images);
};
