#pragma once
#include "platform/dialogs.h"
#include "platform/fileicons.h"
#include "platform/opener.h"

#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QUrl>

// Fakes of the services the dock window uses to open and add things.
// Each installs itself while it lives.

class FakeOpener : public platform::Opener
{
public:
    FakeOpener();
    ~FakeOpener() override;
    bool openPath(const QString &path) override
    {
        paths << path;
        return true;
    }
    bool openUrl(const QUrl &url) override
    {
        urls << url;
        return true;
    }
    bool startTool(Tool tool) override
    {
        tools << tool;
        return toolsInstalled;
    }

    bool toolsInstalled = true; // what startTool answers
    QStringList paths;
    QList<QUrl> urls;
    QList<Tool> tools;
};

class FakeFileIcons : public platform::FileIcons
{
public:
    FakeFileIcons();
    ~FakeFileIcons() override;
    // A plain square for every file unless none is wanted.
    QPixmap largeIcon(const QString &file, int size) override;

    bool giveIcons = true;
    QStringList asked;
    QList<int> sizes;
};

class FakeDialogs : public platform::Dialogs
{
public:
    FakeDialogs();
    ~FakeDialogs() override;
    QStringList openFileNames(QWidget *owner, const QString &caption, const QString &folder,
                              const QString &filter, const QStringList &places) override
    {
        owners << owner;
        captions << caption;
        folders << folder;
        filters << filter;
        this->places << places;
        return files;
    }
    // The application list answers as the file chooser would; who asked is
    // kept apart, so a test sees which of the two a command opens.
    QStringList openApplications(QWidget *owner, const QString &caption, const QString &folder,
                                 const QString &filter, const QStringList &places) override
    {
        applicationOwners << owner;
        return openFileNames(owner, caption, folder, filter, places);
    }
    QString existingFolder(QWidget *owner, const QString &caption, const QString &start) override
    {
        owners << owner;
        captions << caption;
        folders << start;
        return folder;
    }

    QStringList files;  // the answer of the file chooser
    QString folder;     // the answer of the folder chooser
    QList<QWidget *> owners;
    QStringList captions;
    QStringList folders; // where each opened
    QStringList filters;
    QList<QStringList> places;
    QList<QWidget *> applicationOwners; // those who asked for the application list
};
