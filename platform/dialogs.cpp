#include "dialogs.h"

#include <QFileDialog>

namespace platform {

namespace {

class QtDialogs final : public Dialogs
{
public:
    QStringList openFileNames(QWidget *parent, const QString &caption, const QString &folder,
                              const QString &filter) override
    {
        return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    }

    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }

    QString existingFolder(QWidget *parent, const QString &caption, const QString &folder) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, folder,
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    }
};

} // namespace

template <>
Dialogs &Service<Dialogs>::real()
{
    static QtDialogs d;
    return d;
}

} // namespace platform
