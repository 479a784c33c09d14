// The Qt side of the platform both programs share: the save dialog, Qt's own translations and
// the window icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>

#include "platform/application_qt.h"
#include "platform/desktop_qt.h"
#include "tests/support/temp_folder.h"

namespace brelvik::test {
namespace {

const std::wstring kListFilter = L"Addonlist (*.txta)|*.txta";

TEST(SaveDialog, ANameTypedWithoutExtensionGetsTheOneTheFilterNames) {
    const struct Case {
        std::wstring filter;
        QString typed, chosen;
    } cases[] = {
        {kListFilter, "release", "release.txta"},
        {kListFilter, "release.txta", "release.txta"},
        {kListFilter, "release.old", "release.old"},
        {L"All files (*.*)|*.*", "release", "release"},
        {L"Lists (*.txta;*.txt)|*.txta;*.txt", "release", "release"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " in " +
                     QString::fromStdWString(c.filter).toStdString());
        const auto dialog = Make_save_dialog(nullptr, folder.Path().wstring(), c.filter);
        dialog->selectFile(c.typed);
        EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), c.chosen);
    }
}

TEST(Application, QtsOwnTextsFollowTheUsersLanguageAndWindowsCarryTheIcon) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Set_up_application(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

}  // namespace
}  // namespace brelvik::test
