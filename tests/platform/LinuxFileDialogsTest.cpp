#include "FakeSession.h"

#include "platform/linux/LinuxFileDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The names the dialog lists in folder, once its model has read the folder.
QStringList listed(QFileDialog& dialog, const QString& folder, int expected)
{
    QAbstractProxyModel* proxy = dialog.proxyModel();
    auto* files = qobject_cast<QFileSystemModel*>(proxy ? proxy->sourceModel() : nullptr);
    if (!files)
        return {QStringLiteral("no proxy model")};
    QStringList names;
    // On a timeout the names found so far show in the failure.
    static_cast<void>(QTest::qWaitFor([&] {
        const QModelIndex parent = proxy->mapFromSource(files->index(folder));
        names.clear();
        for (int row = 0; row < proxy->rowCount(parent); ++row)
            names << proxy->index(row, 0, parent).data().toString();
        return names.size() == expected;
    }, 5000));
    names.sort();
    return names;
}

TEST(LinuxFileDialogs, OffersProgramsFirstThenAllFiles)
{
    const QString folder = fake::root() + QStringLiteral("/choose");
    fake::writeFile(folder + QStringLiteral("/程序"), "#!/bin/sh\n", 0755);
    fake::writeFile(folder + QStringLiteral("/app.desktop"), "[Desktop Entry]\n");
    fake::writeFile(folder + QStringLiteral("/notes.txt"), "x");
    fake::writeFile(folder + QStringLiteral("/sub/inner.txt"), "x");

    LinuxFileDialogs dialogs;
    QStringList programs;
    QStringList everything;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("打开"));
        dialog->setDirectory(folder);
        programs = listed(*dialog, folder, 3);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);  // as the user picks the second filter
        everything = listed(*dialog, folder, 4);
        dialog->selectFile(QStringLiteral("程序"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(dialogs.chooseProgram(), toStd(folder + QStringLiteral("/程序")));
    EXPECT_EQ(programs, QStringList({QStringLiteral("app.desktop"), QStringLiteral("sub"), QStringLiteral("程序")}));
    EXPECT_EQ(everything, QStringList({QStringLiteral("app.desktop"), QStringLiteral("notes.txt"),
                                       QStringLiteral("sub"), QStringLiteral("程序")}));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.chooseProgram(), std::nullopt);
}

TEST(LinuxFileDialogs, OpensOverTheActiveWindow)
{
    QWidget window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        GTEST_SKIP() << "this display does not activate windows";

    LinuxFileDialogs dialogs;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&parent] {
        QWidget* dialog = QApplication::activeModalWidget();
        parent = dialog ? dialog->parentWidget() : nullptr;
        if (dialog)
            dialog->close();
    });
    EXPECT_EQ(dialogs.chooseProgram(), std::nullopt);
    EXPECT_EQ(parent, &window);
}

}  // namespace
