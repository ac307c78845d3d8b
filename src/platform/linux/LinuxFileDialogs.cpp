#include "LinuxFileDialogs.h"

#include "DesktopEntry.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

bool acceptedAsProgram(const QString& path, bool isFolder)
{
    if (isFolder)
        return true;
    const TargetKind kind = targetKind(path);
    return kind == TargetKind::Program || kind == TargetKind::DesktopEntry;
}

namespace {

class ProgramFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setProgramsOnly(bool programsOnly)
    {
        if (programsOnly_ == programsOnly)
            return;
        programsOnly_ = programsOnly;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (!programsOnly_)
            return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return acceptedAsProgram(files->filePath(index), files->isDir(index));
    }

private:
    bool programsOnly_ = true;
};

}  // namespace

std::optional<std::string> LinuxFileDialogs::chooseProgram()
{
    const QString programs = QStringLiteral("程序文件(*)");
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("打开"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({programs, QStringLiteral("所有文件(*)")});
    auto* filter = new ProgramFilter(&dialog);
    dialog.setProxyModel(filter);
    QObject::connect(&dialog, &QFileDialog::filterSelected, filter,
                     [filter, programs](const QString& selected) { filter->setProgramsOnly(selected == programs); });
    dialog.selectNameFilter(programs);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return toStd(QFileInfo(chosen.first()).absoluteFilePath());
}
