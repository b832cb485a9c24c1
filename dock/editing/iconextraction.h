#pragma once
#include <QImage>
#include <QList>
#include <QString>

// Takes the pictures stored with a program: the icon resources of a Windows
// program file, or the icon-theme picture of a Linux program or desktop entry
// at the largest size the theme has. Every picture kept is written to the
// icon folder as <base><n>.png, n counting from 1.
class IconExtraction
{
public:
    enum Outcome {
        UseNote,   // nothing to take pictures from (a folder, or no target)
        NoPicture, // a file without usable pictures
        Pictures,  // `saved` files were written
    };

    Outcome run(const QString &appName);

    // The images a program file offers, before any is chosen or written.
    static QList<QImage> peImages(const QString &file, int *largest = nullptr);
    static QList<QImage> themeImages(const QString &file);

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
