// The Qt side of the platform both programs share: the save dialog, Qt's own translations and
// the window icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <filesystem>
#include <fstream>

#include "app/qt/application_qt.h"
#include "app/qt/desktop_qt.h"
#include "platform/codepage.h"
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

TEST(ChosenPath, ANameThatIsNotUtf8NamesItsFileAgain) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "caf\xE9");
    const std::filesystem::path file = folder / "caf\xE9" / "r\xE9sum\xE9.txta";
    for (const char* name : {"r\xE9sum\xE9.txta", "\xE8.txta", "\xE9.txta"}) {
        std::ofstream(folder / "caf\xE9" / name);
    }
    const auto shown = [](const std::filesystem::path& path) {
        return QFile::decodeName(QByteArray::fromStdString(path.native()));
    };
    EXPECT_EQ(Chosen_path(shown(file)), Path_text(file));
    EXPECT_EQ(Chosen_path(shown(folder / "caf\xE9" / "new.txta")),
              Path_text(folder / "caf\xE9" / "new.txta"));
    // Two names show alike: that part stays as shown.
    EXPECT_EQ(Chosen_path(shown(folder / "caf\xE9" / "\xE9.txta")),
              Path_text(folder / "caf\xE9") + L"/\uFFFD.txta");
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
